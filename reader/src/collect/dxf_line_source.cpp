// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collect/dxf_line_source.h"

#include "quillform/names.h"

#include <algorithm>
#include <cstring>

namespace quillform::detail {

namespace {
constexpr size_t kChunk = 64 * 1024;
constexpr char kBinarySentinel[] = "AutoCAD Binary DXF";

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

// UTF-16 without a byte order mark: a DXF file starts with a group code, an
// ASCII digit or space, so one of each pair of its first bytes is zero.
bool LooksLikeUtf16(const std::string& raw, bool littleEndian) {
    if (raw.size() < 4)
        return false;
    const size_t zero = littleEndian ? 1 : 0;
    return raw[zero] == '\0' && raw[zero + 2] == '\0' && raw[1 - zero] != '\0' &&
           raw[3 - zero] != '\0';
}
} // namespace

TDxfLineSource::TDxfLineSource(std::FILE* file) : file_(file) {}

void TDxfLineSource::DetectEncoding(std::string& raw) {
    if (StartsWith(raw, "\xEF\xBB\xBF"))
        raw.erase(0, 3); // a UTF-8 byte order mark is no part of the first group code
    if (StartsWith(raw, kBinarySentinel)) {
        encoding_ = Encoding::Binary;
    } else if (StartsWith(raw, "\xFF\xFE")) {
        encoding_ = Encoding::Utf16LE;
        raw.erase(0, 2);
    } else if (StartsWith(raw, "\xFE\xFF")) {
        encoding_ = Encoding::Utf16BE;
        raw.erase(0, 2);
    } else if (LooksLikeUtf16(raw, true)) {
        encoding_ = Encoding::Utf16LE;
    } else if (LooksLikeUtf16(raw, false)) {
        encoding_ = Encoding::Utf16BE;
    }
}

void TDxfLineSource::Decode(const std::string& raw) {
    if (encoding_ == Encoding::Bytes) {
        text_ += raw;
        return;
    }
    const std::string units = oddByte_ + raw;
    const size_t whole = units.size() / 2 * 2;
    oddByte_ = units.substr(whole);
    const bool little = encoding_ == Encoding::Utf16LE;
    std::wstring wide;
    wide.reserve(whole / 2);
    for (size_t i = 0; i < whole; i += 2) {
        const auto lo = static_cast<unsigned char>(units[i + (little ? 0 : 1)]);
        const auto hi = static_cast<unsigned char>(units[i + (little ? 1 : 0)]);
        const char32_t unit = static_cast<char32_t>(hi << 8 | lo);
        if (highSurrogate_ != 0) {
            const char32_t high = highSurrogate_;
            highSurrogate_ = 0;
            if (unit >= 0xDC00 && unit <= 0xDFFF) {
                wide.push_back(
                    static_cast<wchar_t>(0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00)));
                continue;
            }
            wide.push_back(static_cast<wchar_t>(0xFFFD)); // a lone high surrogate
        }
        if (unit >= 0xD800 && unit <= 0xDBFF)
            highSurrogate_ = unit;
        else
            wide.push_back(
                static_cast<wchar_t>(unit)); // quillform::ToUtf8 replaces a lone low surrogate
    }
    text_ += quillform::ToUtf8(wide);
}

bool TDxfLineSource::Fill() {
    text_.erase(0, pos_);
    pos_ = 0;
    if (exhausted_ || encoding_ == Encoding::Binary)
        return false;
    std::string& raw = raw_;
    raw.resize(kChunk);
    const size_t got = std::fread(raw.data(), 1, raw.size(), file_);
    raw.resize(got);
    if (got < kChunk)
        exhausted_ = true;
    if (!started_) {
        started_ = true;
        DetectEncoding(raw);
        if (encoding_ == Encoding::Binary)
            return false;
    }
    Decode(raw);
    if (exhausted_ && highSurrogate_ != 0) {
        text_ += quillform::ToUtf8(std::wstring(1, static_cast<wchar_t>(0xFFFD)));
        highSurrogate_ = 0;
    }
    return pos_ < text_.size();
}

bool TDxfLineSource::Next(std::string& line) {
    std::string_view view;
    const bool any = NextView(&view);
    line.assign(view);
    return any;
}

bool TDxfLineSource::NextPieced(std::string_view* line) {
    line_.clear();
    bool any = false; // something of this line was read, if only its end
    bool cut = false;
    for (;;) {
        if (pos_ == text_.size() && !Fill())
            break;
        if (pairedEnd_ != 0) {
            const bool paired = text_[pos_] == pairedEnd_;
            pairedEnd_ = 0;
            if (paired) {
                ++pos_;
                continue;
            }
        }
        any = true;
        const char* start = text_.data() + pos_;
        const char* stop = text_.data() + text_.size();
        const char* end = std::find_if(start, stop, IsLineEnd);
        const size_t length = static_cast<size_t>(end - start);
        const size_t take = std::min(length, kLongestLine - line_.size());
        line_.append(start, take);
        cut = cut || take < length;
        pos_ += length;
        if (end != stop) {
            pairedEnd_ = OtherLineEnd(*end);
            ++pos_;
            break;
        }
    }
    if (cut)
        ++cutLines_;
    *line = line_;
    return any;
}

} // namespace quillform::detail
