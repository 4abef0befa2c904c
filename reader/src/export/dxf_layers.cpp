// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "dxf_layers.h"

#include <cstring>

namespace quillform::detail {
namespace {

const char* RoleName(ContourRole role) {
    switch (role) {
    case ContourRole::Outer:
        return "OUTER";
    case ContourRole::Inner:
        return "INNER";
    case ContourRole::Open:
        return "OPEN";
    }
    return "";
}

int RoleColour(ContourRole role) {
    switch (role) {
    case ContourRole::Outer:
        return 7; // white on a dark screen, black on paper
    case ContourRole::Inner:
        return 1; // red
    case ContourRole::Open:
        return 3; // green
    }
    return 7;
}

std::string Folded(std::string name) {
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return name;
}

// Windows-1252 from 0x80 to 0x9F (0 where it has no character); from 0xA0
// on it is Latin-1.
constexpr char16_t kWindows1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The character in the file's code page, or '_' for what AutoCAD refuses in
// names and what the code page lacks.
char Encoded(char32_t c) {
    if (c < 0x20 || c == 0x7F || (c < 0x80 && std::strchr("<>/\\\":;?*|=`", static_cast<int>(c))))
        return '_';
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int k = 0; k < 32; ++k)
        if (kWindows1252[k] != 0 && kWindows1252[k] == c)
            return static_cast<char>(0x80 + k);
    return '_';
}

// The length of the sequence a UTF-8 lead byte starts (0: not a lead byte).
size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}
} // namespace

CutLayers::CutLayers(bool keepSourceNames) : keepSourceNames_(keepSourceNames) {
    declared_.push_back(Entry{"0", 7});
    byFoldedName_["0"] = 0;
}

const std::string& CutLayers::Name(const std::string& sourceLayer, ContourRole role) {
    const auto key = std::make_pair(keepSourceNames_ ? sourceLayer : std::string(), role);
    const auto found = names_.find(key);
    if (found != names_.end())
        return found->second;
    std::string name = RoleName(role);
    if (keepSourceNames_)
        name = SafeDxfName(sourceLayer, kMaxNameLength - name.size() - 1) + "-" + name;
    return names_[key] = Declare(name, role);
}

const std::string& CutLayers::Declare(const std::string& name, ContourRole role) {
    const auto [at, added] = byFoldedName_.emplace(Folded(name), declared_.size());
    if (added)
        declared_.push_back(Entry{name, RoleColour(role)});
    return declared_[at->second].name;
}

std::string SafeDxfName(const std::string& utf8, size_t maxLength) {
    std::string safe;
    for (char32_t c : DecodeUtf8(utf8)) {
        if (safe.size() == maxLength)
            break;
        safe += Encoded(c);
    }
    return safe.empty() ? "_" : safe;
}

std::u32string DecodeUtf8(const std::string& utf8) {
    std::u32string points;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const size_t length = SequenceLength(lead);
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        size_t k = 1;
        for (; length > 1 && k < length && i + k < utf8.size(); ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80)
                break;
            c = (c << 6) | (next & 0x3F);
        }
        if (length == 0 || k < length) {
            points.push_back(U'\uFFFD');
            i += length == 0 ? 1 : k;
            continue;
        }
        points.push_back(c);
        i += length;
    }
    return points;
}

} // namespace quillform::detail
