// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "json_stream.h"

#include <cmath>

using json = nlohmann::ordered_json;

namespace {
// What is written goes out in pieces of about this size.
constexpr size_t kBuffered = 1 << 16;

std::string Dump(const json& value, int indent) {
    return value.dump(indent, ' ', false, json::error_handler_t::replace);
}
} // namespace

JsonStream::JsonStream(std::function<void(const std::string&)> write, int indent, int depth)
    : write_(std::move(write)), indent_(indent), depth_(static_cast<size_t>(depth)) {}

void JsonStream::Put(const std::string& bytes) {
    buffer_ += bytes;
    if (buffer_.size() >= kBuffered)
        Flush();
}

void JsonStream::Flush() {
    if (!buffer_.empty())
        write_(buffer_);
    buffer_.clear();
}

std::string JsonStream::NewLine(size_t depth) const {
    return "\n" + std::string(depth * static_cast<size_t>(indent_), ' ');
}

void JsonStream::Separate() {
    if (afterKey_ || closings_.empty()) {
        afterKey_ = false;
        return;
    }
    if (!empty_)
        Put(",");
    if (indent_ >= 0)
        Put(NewLine(depth_ + closings_.size()));
    empty_ = false;
}

void JsonStream::Open(char closing) {
    Separate();
    Put(std::string(1, closing == '}' ? '{' : '['));
    closings_ += closing;
    empty_ = true;
}

void JsonStream::BeginObject() {
    Open('}');
}

void JsonStream::BeginArray() {
    Open(']');
}

void JsonStream::End() {
    const char closing = closings_.back();
    closings_.pop_back();
    if (!empty_ && indent_ >= 0)
        Put(NewLine(depth_ + closings_.size()));
    Put(std::string(1, closing));
    // A container is closed inside its parent, which now holds something.
    empty_ = false;
}

void JsonStream::Key(const std::string& name) {
    Separate();
    Put(Dump(name, -1) + (indent_ >= 0 ? ": " : ":"));
    afterKey_ = true;
}

void JsonStream::Value(const json& value) {
    Separate();
    nonFinite_ = nonFinite_ || HoldsNonFinite(value);
    std::string text = Dump(value, indent_);
    const size_t depth = depth_ + closings_.size();
    if (indent_ > 0 && depth > 0 && value.is_structured()) {
        // Strings are dumped with their line breaks escaped: every '\n' is
        // one of the layout's, to be indented as deep as the value stands.
        const std::string newLine = NewLine(depth);
        std::string indented;
        indented.reserve(text.size() + text.size() / 4);
        size_t from = 0;
        for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', from)) {
            indented.append(text, from, at - from).append(newLine);
            from = at + 1;
        }
        text = indented.append(text, from, std::string::npos);
    }
    Put(text);
}

bool HoldsNonFinite(const json& value) {
    if (value.is_number_float())
        return !std::isfinite(value.get<double>());
    if (value.is_structured())
        for (const json& item : value)
            if (HoldsNonFinite(item))
                return true;
    return false;
}
