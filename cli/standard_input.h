// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string>

// "-" as a file name reads standard input; messages and JSON call it "-".
bool IsStandardInput(const std::string& file);

// The most bytes of standard input that are read (--stdin-limit).
constexpr int64_t kDefaultStandardInputLimit = int64_t{1} << 30;
void SetStandardInputLimit(int64_t bytes);

// The path the reader opens for a file name on the command line: the name
// itself, or for "-" a private copy of standard input, made at the first
// call (standard input may be a pipe, a terminal or a socket, none of which
// can be opened again by name). The copy lives in TMPDIR without a name:
// it is removed from the folder as soon as it is made and read through its
// descriptor, so that no end of the program, a signal included, leaves it
// behind. Empty when the copy could not be made: the read then fails as a
// file that cannot be opened, and StandardInputProblem() says why.
std::string InputPath(const std::string& file);
std::string StandardInputProblem();
