// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collect/number_check.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <limits>
#include <locale>
#include <sstream>
#include <string>

namespace quillform::detail {

namespace {
struct TCodeRange {
    unsigned int first, last;
    TValueKind kind;
};

// The numeric code ranges; every other code carries text (names, handles,
// hexadecimal numbers, binary chunks).
constexpr TCodeRange kNumericRanges[] = {
    {10, 59, TValueKind::Real},       {60, 99, TValueKind::Integer},
    {110, 149, TValueKind::Real},     {160, 179, TValueKind::Integer},
    {210, 239, TValueKind::Real},     {270, 299, TValueKind::Integer},
    {370, 389, TValueKind::Integer},  {400, 409, TValueKind::Integer},
    {420, 429, TValueKind::Integer},  {440, 459, TValueKind::Integer},
    {460, 469, TValueKind::Real},     {1010, 1059, TValueKind::Real},
    {1060, 1071, TValueKind::Integer}};

constexpr unsigned int kCodes = 1072;

std::array<TValueKind, kCodes> KindTable() {
    std::array<TValueKind, kCodes> table{};
    table.fill(TValueKind::Text);
    for (const TCodeRange& range : kNumericRanges)
        std::fill(table.begin() + range.first, table.begin() + range.last + 1, range.kind);
    return table;
}

// dxflib's toReal: ',' read as '.', then a stream extraction in the "C"
// locale it sets while it reads.
bool ExtractsReal(const std::string& text) {
    std::string dotted = text;
    std::replace(dotted.begin(), dotted.end(), ',', '.');
    std::istringstream in(dotted);
    in.imbue(std::locale::classic());
    double value = 0;
    in >> value;
    // A value out of range fails too, but is read as the largest double.
    return !in.fail() || std::abs(value) == std::numeric_limits<double>::max();
}

// dxflib's toInt: strtol, which takes digits after blanks and a sign.
bool HasLeadingDigits(const std::string& text) {
    size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        ++at;
    return at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]));
}
} // namespace

TValueKind ValueKindOf(unsigned int code) {
    static const std::array<TValueKind, kCodes> table = KindTable();
    return code < kCodes ? table[code] : TValueKind::Text;
}

bool ReadsAsNumberSlowly(TValueKind kind, std::string_view value) {
    // The parser sees a C string: it ends at the first NUL.
    const std::string text(value.substr(0, value.find('\0')));
    return kind == TValueKind::Real ? ExtractsReal(text) : HasLeadingDigits(text);
}

} // namespace quillform::detail
