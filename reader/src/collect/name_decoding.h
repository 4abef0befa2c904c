// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <unordered_map>

namespace quillform::detail {

// Layer and block names as UTF-8. Files from AutoCAD 2007 on are UTF-8
// throughout; older ones hold names in the code page their header names
// ($DWGCODEPAGE) and write characters outside it as \U+XXXX. Names that are
// plain ASCII, or already well-formed UTF-8 (what many programs write
// whatever their header says), keep their bytes; so do names in a code
// page the C library cannot convert, and every name of a file without one.
class TNameDecoding {
public:
    // Takes $ACADVER and $DWGCODEPAGE from the header as they arrive.
    void HeaderVariable(const std::string& key, const std::string& value);
    // The name as UTF-8; the same bytes when there is nothing to decode.
    std::string operator()(const std::string& name) const;

private:
    std::string Decode(const std::string& name) const;

    bool unicodeFile_ = false;
    std::string codePage_; // as the C library's iconv names it; empty: none
    // Entities repeat a handful of names: each is decoded once.
    mutable std::unordered_map<std::string, std::string> decoded_;
};

// The \U+XXXX escapes of UTF-8 text replaced by their characters (a pair
// of surrogates by one character).
std::string ReplaceUnicodeEscapes(const std::string& text);

// The code page a DXF header names (ANSI_936, DOS850, ISO8859-1, ...) as
// iconv names it, or empty when it names none.
std::string IconvCodePage(const std::string& dwgCodePage);

} // namespace quillform::detail
