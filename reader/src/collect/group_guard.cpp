// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collect/group_guard.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace quillform::detail {

namespace {
// Entity names are compared trimmed and without regard to case, more widely
// than any parser does, so that no spelling slips past the guard.
std::string EntityName(std::string_view line) {
    std::string_view name = line.substr(0, line.find('\0'));
    while (!name.empty() && std::isspace(static_cast<unsigned char>(name.front())))
        name.remove_prefix(1);
    while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back())))
        name.remove_suffix(1);
    std::string upper(name);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

// Names as writers spell them need neither trimming nor case folding.
bool PlainName(std::string_view line) {
    return !line.empty() && std::all_of(line.begin(), line.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}
} // namespace

void TGroupGuard::Line(std::string& line, int64_t remainingBytes) {
    if (const std::string* rewritten = Take(line, remainingBytes))
        line = *rewritten;
}

// The parser sees a C string: it ends at the first NUL.
int TGroupGuard::StrtolInt(std::string_view line) {
    const std::string text(line);
    char* end = nullptr;
    return static_cast<int>(std::strtol(text.c_str(), &end, 10));
}

void TGroupGuard::Entity(std::string_view line) {
    std::string folded;
    if (!PlainName(line)) {
        folded = EntityName(line);
        line = folded;
    }
    claimed_ = 0;
    sawSection_ = sawSection_ || line == "SECTION";
    sawEof_ = sawEof_ || line == "EOF";
    entity_ = line == "LWPOLYLINE" ? Sized::LwPolyline
              : line == "SPLINE"   ? Sized::Spline
              : line == "LEADER"   ? Sized::Leader
                                   : Sized::None;
}

// The count groups by which dxflib allocates and zero-fills a buffer (found
// by reading dl_dxf.h and measuring each group with a huge value; HATCH
// counts, POLYLINE mesh sizes and the rest allocate nothing ahead).
bool TGroupGuard::IsCountGroup() const {
    switch (entity_) {
    case Sized::LwPolyline:
        return code_ == 90;
    case Sized::Spline:
        return code_ == 72 || code_ == 73 || code_ == 74;
    case Sized::Leader:
        return code_ == 76;
    default:
        return false;
    }
}

const std::string* TGroupGuard::Count(std::string_view line, int64_t remainingBytes) {
    const int64_t count = AsDxflibInt(line);
    // All counts of one entity share the rest of the file: its items are distinct groups.
    const int64_t room = std::max<int64_t>(0, remainingBytes / kShortestItem - claimed_);
    const int64_t allowed = std::min(room, kLargestCount);
    claimed_ += std::clamp<int64_t>(count, 0, allowed);
    if (count <= allowed)
        return nullptr;
    ++loweredCounts_;
    rewritten_ = std::to_string(allowed);
    return &rewritten_;
}

} // namespace quillform::detail
