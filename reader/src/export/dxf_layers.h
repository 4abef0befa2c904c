// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <map>
#include <string>
#include <vector>

namespace quillform::detail {

enum class ContourRole { Outer, Inner, Open };

// The layers of a cut-ready DXF: one per role (OUTER, INNER, OPEN), or the
// source layer's name with the role as a suffix. Layer names compare
// without regard to case in DXF, so names that differ only in case share
// the first one's spelling.
class CutLayers {
public:
    struct Entry {
        std::string name;
        int color = 7; // AutoCAD colour index
    };

    explicit CutLayers(bool keepSourceNames);

    // The layer of a contour (declared on first use).
    const std::string& Name(const std::string& sourceLayer, ContourRole role);
    // Layer 0, which every drawing has, and then every layer used, in order.
    const std::vector<Entry>& Declared() const { return declared_; }

private:
    const std::string& Declare(const std::string& name, ContourRole role);

    bool keepSourceNames_;
    std::map<std::pair<std::string, ContourRole>, std::string> names_;
    std::map<std::string, size_t> byFoldedName_;
    std::vector<Entry> declared_;
};

// A layer name any DXF reader takes, in the file's code page (Windows-1252,
// as $DWGCODEPAGE says): characters AutoCAD refuses in names (< > / \ " : ;
// ? * | = ` and control characters) and those the code page lacks become
// '_'; at most maxLength characters (255 is AutoCAD's limit).
constexpr size_t kMaxNameLength = 255;
std::string SafeDxfName(const std::string& utf8, size_t maxLength = kMaxNameLength);

// The code points of UTF-8 text; a byte that starts no valid sequence is
// U+FFFD.
std::u32string DecodeUtf8(const std::string& utf8);

} // namespace quillform::detail
