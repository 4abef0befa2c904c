// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "dxf_text_writer.h"

#include <algorithm>
#include <charconv>

namespace quillform::detail {

// An empty file name: the base's stream stays closed and nothing touches the
// file system.
DxfTextWriter::DxfTextWriter(std::string& text) : DL_WriterA("", DL_Codes::AC1015), text_(text) {}

void DxfTextWriter::GroupCode(int gc) const {
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, gc).ptr;
    // Right-aligned in three columns, as DXF writers have always done.
    text_.append(static_cast<size_t>(std::max<ptrdiff_t>(0, 3 - (end - buffer))), ' ');
    text_.append(buffer, end);
    text_.push_back('\n');
}

void DxfTextWriter::dxfReal(int gc, double value) const {
    GroupCode(gc);
    AppendShortestReal(text_, value);
    text_.push_back('\n');
}

void DxfTextWriter::dxfInt(int gc, int value) const {
    char buffer[16];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    GroupCode(gc);
    text_.append(buffer, end);
    text_.push_back('\n');
}

void DxfTextWriter::dxfHex(int gc, int value) const {
    char buffer[16];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<unsigned>(value), 16).ptr;
    for (char* c = buffer; c != end; ++c)
        if (*c >= 'a' && *c <= 'f')
            *c = static_cast<char>(*c - 'a' + 'A');
    dxfString(gc, std::string(buffer, end));
}

void DxfTextWriter::dxfString(int gc, const char* value) const {
    GroupCode(gc);
    text_.append(value);
    text_.push_back('\n');
}

void DxfTextWriter::dxfString(int gc, const std::string& value) const {
    GroupCode(gc);
    text_.append(value);
    text_.push_back('\n');
}

std::string ShortestReal(double value) {
    std::string text;
    AppendShortestReal(text, value);
    return text;
}

void AppendShortestReal(std::string& text, double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    text.append(buffer, end);
    if (std::find_if(buffer, end, [](char c) { return c == '.' || c == 'e' || c == 'n'; }) == end)
        text += ".0"; // not 1.5, 1e+300, nan or inf
}

} // namespace quillform::detail
