// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collect/group_guard.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string_view>

namespace {
struct CountGroup {
    std::string_view entity;
    unsigned int code;
};

// The count groups by which dxflib allocates and zero-fills a buffer (found
// by reading dl_dxf.h and measuring each group with a huge value; HATCH
// counts, POLYLINE mesh sizes and the rest allocate nothing ahead).
constexpr CountGroup kCountGroups[] = {
    {"LWPOLYLINE", 90}, {"SPLINE", 72}, {"SPLINE", 73}, {"SPLINE", 74}, {"LEADER", 76},
};

// dxflib's own conversion: strtol, kept as int; a group code is then taken
// as unsigned. Doing the same keeps the guard from reading a code or a count
// other than the one the parser acts on.
int AsDxflibInt(const std::string& line) {
    char* end = nullptr;
    return static_cast<int>(std::strtol(line.c_str(), &end, 10));
}

// The parser sees a line as a C string: it ends at the first NUL byte.
// Entity names are compared trimmed and without regard to case, more widely
// than any parser does, so that no spelling slips past the guard.
std::string EntityName(const std::string& line) {
    std::string_view name(line.c_str());
    while (!name.empty() && std::isspace(static_cast<unsigned char>(name.front())))
        name.remove_prefix(1);
    while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back())))
        name.remove_suffix(1);
    std::string upper(name);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

bool IsCountGroup(const std::string& entity, unsigned int code) {
    return std::any_of(std::begin(kCountGroups), std::end(kCountGroups),
                       [&](const CountGroup& g) { return g.code == code && g.entity == entity; });
}
} // namespace

void TGroupGuard::Line(std::string& line, int64_t remainingBytes) {
    if (codeLine_)
        code_ = static_cast<unsigned int>(AsDxflibInt(line));
    else
        Value(line, remainingBytes);
    codeLine_ = !codeLine_;
}

void TGroupGuard::Value(std::string& line, int64_t remainingBytes) {
    if (code_ == 0) {
        entity_ = EntityName(line);
        claimed_ = 0;
        sawSection_ = sawSection_ || entity_ == "SECTION";
        sawEof_ = sawEof_ || entity_ == "EOF";
        return;
    }
    if (!IsCountGroup(entity_, code_))
        return;
    const int64_t count = AsDxflibInt(line);
    // All counts of one entity share the rest of the file: its items are distinct groups.
    const int64_t room = std::max<int64_t>(0, remainingBytes / kShortestItem - claimed_);
    const int64_t allowed = std::min(room, kLargestCount);
    if (count > allowed) {
        line = std::to_string(allowed);
        ++loweredCounts_;
    }
    claimed_ += std::clamp<int64_t>(count, 0, allowed);
}
