// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "options.h"

#include "quillform/drawing.h"

#include <string>

// Reads one file with the command's settings (the entity log goes to
// standard output while it is parsed, when asked for) and, with
// --output-units, converts its lengths; a drawing whose unit is unknown then
// keeps its own, and *unitError says why.
quillform::Drawing ReadShapes(const std::string& file, const Options& options,
                              std::string* unitError);

// A command-line argument as wide text, for display; the file itself is
// opened by the argument's bytes.
std::wstring WidePath(const std::string& path);
