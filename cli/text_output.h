// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdio>
#include <string>

// Writes one line of wide text as UTF-8, whatever the locale's encoding.
void WriteLine(std::FILE* stream, const std::wstring& line);

// Makes wide text conversion follow the user's locale; a plain C locale is
// taken as UTF-8 so that UTF-8 names in files are not mangled.
void UseUserLocale();
