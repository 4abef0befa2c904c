// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

#include <locale.h>

namespace quillform::detail {

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

} // namespace quillform::detail
