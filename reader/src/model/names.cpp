// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/names.h"

#include "model/utf8_check.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace quillform {

std::wstring WidenName(const char* name) {
    if (!name)
        return std::wstring();
    std::mbstate_t state{};
    const char* source = name;
    const size_t length = std::mbsrtowcs(nullptr, &source, 0, &state);
    if (length != static_cast<size_t>(-1)) {
        std::wstring wide(length, L'\0');
        state = std::mbstate_t{};
        source = name;
        std::mbsrtowcs(wide.data(), &source, length, &state);
        return wide;
    }
    std::wstring wide;
    for (const char* p = name; *p; ++p)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*p)));
    return wide;
}

namespace {
void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}
} // namespace

std::string ToUtf8(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text)
        AppendUtf8(out, static_cast<char32_t>(c));
    return out;
}

std::string NarrowPath(const wchar_t* path) {
    if (!path)
        return std::string();
    std::mbstate_t state{};
    const wchar_t* source = path;
    const size_t length = std::wcsrtombs(nullptr, &source, 0, &state);
    if (length == static_cast<size_t>(-1))
        return ToUtf8(path);
    std::string narrow(length, '\0');
    state = std::mbstate_t{};
    source = path;
    std::wcsrtombs(narrow.data(), &source, length, &state);
    return narrow;
}

std::string EncodeForLocale(const std::wstring& text) {
    std::string out;
    std::mbstate_t state{};
    char buffer[MB_LEN_MAX];
    for (wchar_t c : text) {
        const size_t length = std::wcrtomb(buffer, c, &state);
        if (length == static_cast<size_t>(-1)) {
            out.push_back('?');
            state = std::mbstate_t{};
        } else {
            out.append(buffer, length);
        }
    }
    return out;
}

namespace detail {
bool IsUtf8(const char* text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        const unsigned char c = *p;
        const int length = c < 0x80         ? 1
                           : (c >> 5) == 6  ? 2
                           : (c >> 4) == 14 ? 3
                           : (c >> 3) == 30 ? 4
                                            : 0;
        if (length == 0)
            return false;
        char32_t code = length == 1 ? c : c & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            if ((p[k] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (p[k] & 0x3F);
        }
        const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        p += length;
    }
    return true;
}
} // namespace detail

std::string NameToUtf8(const char* name) {
    if (!name)
        return std::string();
    if (detail::IsUtf8(name))
        return name;
    return ToUtf8(WidenName(name));
}

} // namespace quillform
