// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/name_widener.h"

#include "quillform/names.h"

#include <locale.h>

namespace quillform::detail {

NameWidener::NameWidener()
    : locale_(newlocale(LC_CTYPE_MASK, setlocale(LC_CTYPE, nullptr), static_cast<locale_t>(0))) {}

NameWidener::~NameWidener() {
    if (locale_)
        freelocale(locale_);
}

std::wstring NameWidener::operator()(const char* name) const {
    if (!locale_)
        return quillform::WidenName(name);
    const locale_t previous = uselocale(locale_);
    std::wstring wide = quillform::WidenName(name);
    uselocale(previous);
    return wide;
}

} // namespace quillform::detail
