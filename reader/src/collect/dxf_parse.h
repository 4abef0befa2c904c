// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

class Test_CreationClass;

// Lets dxflib read the named file into the collector. False when the file
// cannot be opened; damaged groups inside it are skipped by the parser.
bool ParseDxfFile(const wchar_t* fileName, Test_CreationClass& collector);
// The same for a path given as the bytes the file system takes.
bool ParseDxfPath(const std::string& path, Test_CreationClass& collector);
