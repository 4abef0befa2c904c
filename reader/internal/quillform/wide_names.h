// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

#include <locale.h>

// Names in DXF files are 8-bit text in whatever code page the writer used.
// They are converted in the character set of the C locale that was current
// when the widener was made (dxflib switches the global locale to "C" while
// it parses, so the conversion cannot look at the global locale then).
// Bytes that do not form a valid sequence are widened one by one (Latin-1),
// so nothing is lost or read past the terminator.
class NameWidener {
public:
    NameWidener();
    ~NameWidener();
    NameWidener(const NameWidener&) = delete;
    NameWidener& operator=(const NameWidener&) = delete;

    std::wstring operator()(const char* name) const;

private:
    locale_t locale_;
};

// The same conversion in the current C locale.
std::wstring WidenName(const char* name);

// Wide text to UTF-8, for output that must not depend on the locale.
std::string ToUtf8(const std::wstring& text);

// A name from a file as UTF-8 whatever the locale: kept as it is when it is
// UTF-8 already (as names are from AutoCAD 2007 on), else converted as the
// events convert it.
std::string NameToUtf8(const char* name);

// A wide file name to the bytes the file system expects: the locale's
// encoding, or UTF-8 where the locale cannot represent it.
std::string NarrowPath(const wchar_t* path);

// Wide text in the current locale's multibyte encoding (the "system code
// page" of saved listings); characters it cannot represent become '?'.
std::string EncodeForLocale(const std::wstring& text);
