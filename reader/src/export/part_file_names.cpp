// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "part_file_names.h"

#include "dxf_layers.h"

#include "quillform/names.h"

#include <cstring>
#include <set>

namespace quillform::detail {
namespace {
// A stem and a layer name of this size leave room for the number, a clash
// suffix and the extension within the 255 bytes file systems allow.
constexpr size_t kPieceBytes = 100;

// Separators, control characters, what Windows refuses in names, and bytes
// that were no UTF-8.
bool Refused(char32_t c) {
    return c < 0x20 || c == 0x7F || c == U'\uFFFD' || (c >= 0xD800 && c <= 0xDFFF) ||
           (c < 0x80 && std::strchr("/\\<>:\"|?*", static_cast<int>(c)));
}

std::string Folded(const std::string& name) {
    std::string folded = name;
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

std::string WithoutLeadingDots(const std::string& name) {
    const size_t first = name.find_first_not_of('.');
    return first == std::string::npos ? std::string() : name.substr(first);
}

std::string Distinct(const std::string& base, std::set<std::string>& given) {
    std::string name = base + ".dxf";
    for (int k = 2; !given.insert(Folded(name)).second; ++k)
        name = base + "~" + std::to_string(k) + ".dxf";
    return name;
}
} // namespace

std::string SafeFileNamePiece(const std::string& utf8, size_t maxBytes) {
    std::string safe;
    for (char32_t c : DecodeUtf8(utf8)) {
        const std::string piece =
            ToUtf8(std::wstring(1, static_cast<wchar_t>(Refused(c) ? U'_' : c)));
        if (safe.size() + piece.size() > maxBytes)
            break;
        safe += piece;
    }
    return safe;
}

std::vector<std::string> PartFileNames(const std::string& stem,
                                       const std::vector<PartFileName>& parts) {
    std::string start = WithoutLeadingDots(SafeFileNamePiece(stem, kPieceBytes));
    if (start.empty())
        start = "part";
    std::set<std::string> given;
    std::vector<std::string> names;
    names.reserve(parts.size());
    for (const PartFileName& part : parts) {
        std::string layer = SafeFileNamePiece(part.layer, kPieceBytes);
        if (layer.empty())
            layer = "_";
        names.push_back(Distinct(start + "-" + layer + "-" + std::to_string(part.number), given));
    }
    return names;
}

} // namespace quillform::detail
