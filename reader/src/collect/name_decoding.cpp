// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collect/name_decoding.h"

#include "model/utf8_check.h"
#include "quillform/names.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <optional>

namespace quillform::detail {

namespace {

bool PlainAscii(const std::string& name) {
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// The bytes converted from the code page, or nothing when a byte sequence
// is not valid in it (or iconv does not know the code page).
std::optional<std::string> FromCodePage(const std::string& bytes, const std::string& codePage) {
    const iconv_t convert = iconv_open("UTF-8", codePage.c_str());
    if (convert == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out(bytes.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* to = out.data();
    size_t outLeft = out.size();
    const size_t done = iconv(convert, &in, &inLeft, &to, &outLeft);
    iconv_close(convert);
    if (done == static_cast<size_t>(-1) || inLeft != 0)
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

// The four hex digits after "\U+" at position at, or nothing.
std::optional<char32_t> EscapedCode(const std::string& text, size_t at) {
    if (text.compare(at, 3, "\\U+") != 0 || at + 7 > text.size())
        return std::nullopt;
    char32_t code = 0;
    for (size_t k = at + 3; k < at + 7; ++k) {
        const unsigned char digit = static_cast<unsigned char>(text[k]);
        if (!std::isxdigit(digit))
            return std::nullopt;
        code = code * 16 + static_cast<char32_t>(
                               std::isdigit(digit) ? digit - '0' : std::toupper(digit) - 'A' + 10);
    }
    return code;
}

} // namespace

std::string IconvCodePage(const std::string& dwgCodePage) {
    const std::string name = Upper(dwgCodePage);
    const auto digitsAfter = [&](const std::string& prefix) {
        return name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
               std::all_of(name.begin() + static_cast<long>(prefix.size()), name.end(),
                           [](unsigned char c) { return std::isdigit(c); });
    };
    if (digitsAfter("ANSI_"))
        return name == "ANSI_1361" ? "JOHAB" : "CP" + name.substr(5);
    if (digitsAfter("DOS"))
        return "CP" + name.substr(3);
    if (name.compare(0, 7, "ISO8859") == 0 && name.size() > 8)
        return "ISO-8859-" + name.substr(8);
    if (name == "BIG5" || name == "GB2312" || name == "KSC5601" || name == "JOHAB")
        return name == "KSC5601" ? "CP949" : name;
    if (name == "MACINTOSH" || name == "MAC-ROMAN")
        return "MACINTOSH";
    if (name == "UTF8" || name == "UTF-8")
        return "UTF-8";
    return std::string();
}

std::string ReplaceUnicodeEscapes(const std::string& text) {
    std::string out;
    for (size_t at = 0; at < text.size();) {
        const std::optional<char32_t> code = EscapedCode(text, at);
        if (!code) {
            out.push_back(text[at++]);
            continue;
        }
        char32_t character = *code;
        at += 7;
        const std::optional<char32_t> low = EscapedCode(text, at);
        if (character >= 0xD800 && character < 0xDC00 && low && *low >= 0xDC00 && *low < 0xE000) {
            character = 0x10000 + ((character - 0xD800) << 10) + (*low - 0xDC00);
            at += 7;
        }
        out += quillform::ToUtf8(std::wstring(1, static_cast<wchar_t>(character)));
    }
    return out;
}

void TNameDecoding::HeaderVariable(const std::string& key, const std::string& value) {
    if (key == "$ACADVER")
        unicodeFile_ = value.size() == 6 && value.compare(0, 2, "AC") == 0 && value >= "AC1021";
    else if (key == "$DWGCODEPAGE")
        codePage_ = IconvCodePage(value);
    decoded_.clear();
}

std::string TNameDecoding::operator()(const std::string& name) const {
    if (unicodeFile_ || (PlainAscii(name) && name.find("\\U+") == std::string::npos))
        return name;
    const auto known = decoded_.find(name);
    if (known != decoded_.end())
        return known->second;
    return decoded_.emplace(name, Decode(name)).first->second;
}

std::string TNameDecoding::Decode(const std::string& name) const {
    std::string text = name;
    if (!IsUtf8(name.c_str()) && !codePage_.empty())
        text = FromCodePage(name, codePage_).value_or(name);
    return IsUtf8(text.c_str()) ? ReplaceUnicodeEscapes(text) : text;
}

} // namespace quillform::detail
