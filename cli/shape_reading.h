// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "options.h"

#include "quillform/result_copy.h"

#include <string>

struct FileResult {
    std::string file;
    TResultCopy shapes;
    int32_t status = 0;
};

// Reads one file through the reader with the command's settings; the entity
// log goes to standard output while the file is parsed when asked for.
FileResult ReadShapes(const std::string& file, const Options& options);

// A command-line argument as the wide file name the reader takes.
std::wstring WidePath(const std::string& path);
