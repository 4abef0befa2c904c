// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/number_format.h"

#include <charconv>
#include <cmath>

namespace quillform {

namespace {
constexpr int kSignificantDigits = 15;

// "1.5e-07" -> "1.5E-7", "1e+20" -> "1E20".
std::string RewriteExponent(const std::string& text) {
    const size_t e = text.find('e');
    if (e == std::string::npos)
        return text;
    std::string result = text.substr(0, e) + "E";
    size_t digits = e + 1;
    if (text[digits] == '-')
        result += '-';
    if (text[digits] == '-' || text[digits] == '+')
        ++digits;
    while (digits + 1 < text.size() && text[digits] == '0')
        ++digits;
    return result + text.substr(digits);
}
} // namespace

std::wstring FormatNumber(double value, wchar_t decimalSeparator) {
    if (std::isnan(value))
        return L"NAN";
    if (std::isinf(value))
        return value < 0 ? L"-INF" : L"INF";
    if (value == 0)
        return L"0"; // also for -0: zero is not negative
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, kSignificantDigits);
    const std::string text = RewriteExponent(std::string(buffer, result.ptr));
    std::wstring wide;
    for (char c : text)
        wide.push_back(c == '.' ? decimalSeparator : static_cast<wchar_t>(c));
    return wide;
}

std::wstring FormatInt(long long value) {
    return std::to_wstring(value);
}

} // namespace quillform
