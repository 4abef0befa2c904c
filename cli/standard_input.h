// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

// "-" as a file name reads standard input; messages and JSON call it "-".
bool IsStandardInput(const std::string& file);

// The path the reader opens for a file name on the command line: the name
// itself, or for "-" a private temporary copy of standard input, made at the
// first call and removed when the program ends (standard input may be a
// pipe, a terminal or a socket, none of which can be opened again by name).
// Empty when the copy could not be made: the read then fails as a file that
// cannot be opened.
std::string InputPath(const std::string& file);
