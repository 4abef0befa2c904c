// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <nlohmann/json.hpp>

#include <functional>
#include <string>

// Writes one JSON value piece by piece, byte for byte as nlohmann's dump of
// the whole value would write it (the same indentation and separators,
// non-finite numbers as null, invalid UTF-8 replaced), so that a large
// document is never held whole: its outer objects and arrays are opened and
// closed here, and what they hold is written as small values dumped in place.
class JsonStream {
public:
    // write receives the bytes in order; indent as dump's (-1: one line);
    // depth: how deep the value stands in a document written around it.
    JsonStream(std::function<void(const std::string&)> write, int indent, int depth = 0);

    void BeginObject();
    void BeginArray();
    // Closes the object or array opened last.
    void End();
    // The name of the next member of the object open.
    void Key(const std::string& name);
    // A whole value: the top value, the next element of the array open, or
    // the value of the member named last.
    void Value(const nlohmann::ordered_json& value);
    void Member(const std::string& name, const nlohmann::ordered_json& value) {
        Key(name);
        Value(value);
    }
    // Hands what is still buffered to write.
    void Flush();

    // Whether a number written was infinite or NaN (written as null).
    bool WroteNonFinite() const { return nonFinite_; }

private:
    void Open(char closing);
    // What goes before the next value: nothing after a key, else the
    // separator and the indentation of the container open.
    void Separate();
    void Put(const std::string& bytes);
    std::string NewLine(size_t depth) const;

    std::function<void(const std::string&)> write_;
    int indent_;
    size_t depth_;
    std::string closings_; // of the containers open, innermost last
    bool empty_ = true;    // nothing written yet into the innermost container
    bool afterKey_ = false;
    bool nonFinite_ = false;
    std::string buffer_;
};

// Whether value holds an infinite or NaN number, at any depth.
bool HoldsNonFinite(const nlohmann::ordered_json& value);
