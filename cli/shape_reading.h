// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "options.h"

#include "quillform/read_report.h"
#include "quillform/result_copy.h"

#include <string>
#include <vector>

struct FileResult {
    std::string file;
    TResultCopy shapes;
    int32_t status = 0;
    std::vector<TReadWarning> warnings;
};

// Reads one file through the reader with the command's settings; the entity
// log goes to standard output while the file is parsed when asked for.
FileResult ReadShapes(const std::string& file, const Options& options);

// A command-line argument as wide text, for display; the file itself is
// opened by the argument's bytes.
std::wstring WidePath(const std::string& path);
