// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace quillform::detail {

// What a group's value is by its code, as DXF defines the code ranges.
enum class TValueKind : uint8_t { Text, Real, Integer };
TValueKind ValueKindOf(unsigned int code);

// Whether dxflib reads a number from the value of a group with this code:
// always for a text group; for a real, when its stream extraction succeeds
// or overflows to the largest double (an empty value leaves dxflib's double
// uninitialised, a non-numeric one gives 0); for an integer, when strtol
// finds digits. The usual values are
// told at a glance; the rest are read as dxflib reads them.
bool ReadsAsNumberSlowly(TValueKind kind, std::string_view value);

inline bool ReadsAsNumber(unsigned int code, std::string_view value) {
    const TValueKind kind = ValueKindOf(code);
    if (kind == TValueKind::Text)
        return true;
    size_t at = 0, figures = 0;
    const auto digits = [&] {
        for (; at < value.size() && value[at] >= '0' && value[at] <= '9'; ++at)
            ++figures;
    };
    while (at < value.size() && value[at] == ' ')
        ++at;
    at += at < value.size() && (value[at] == '-' || value[at] == '+') ? 1 : 0;
    digits();
    if (kind == TValueKind::Integer && figures > 0)
        return true;
    if (kind == TValueKind::Real && at < value.size() && value[at] == '.') {
        ++at;
        digits();
    }
    if (kind == TValueKind::Real && figures > 0 && at == value.size())
        return true;
    return ReadsAsNumberSlowly(kind, value);
}

} // namespace quillform::detail
