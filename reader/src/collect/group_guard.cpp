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

// The parser sees a C string: it ends at the first NUL.
int TGroupGuard::StrtolInt(std::string_view line) {
    const std::string text(line);
    char* end = nullptr;
    return static_cast<int>(std::strtol(text.c_str(), &end, 10));
}

// dxflib starts a new object at a header variable (group 9) as at an entity
// (group 0), and takes its name for the object's kind either way: a group 9
// named LWPOLYLINE sizes a buffer by the 90 after it.
void TGroupGuard::Entity(std::string_view line, bool marker) {
    std::string folded;
    if (!PlainName(line)) {
        folded = EntityName(line);
        line = folded;
    }
    sawSection_ = sawSection_ || (marker && line == "SECTION");
    sawEof_ = sawEof_ || (marker && line == "EOF");
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

// The group that brings one item of a count: a knot value (40), a control
// point (10) or a fit point (11) of a spline, a vertex (10) otherwise.
void TGroupGuard::HoldCount(std::string_view line) {
    TPendingCount count;
    count.countCode = code_;
    count.itemCode = code_ == 72 ? 40 : code_ == 74 ? 11 : 10;
    count.offset = held_.size();
    count.length = line.size();
    pending_.push_back(count);
    Append(held_, line);
}

// A group of the entity whose counts are held: an item of one, a count that
// replaces one (dxflib then starts its buffer again), or the entity's end.
void TGroupGuard::CountItem(std::string& out) {
    if (code_ == 0 || code_ == 9)
        return Release(out);
    for (TPendingCount& count : pending_) {
        if (!count.open)
            continue;
        count.items += code_ == count.itemCode ? 1 : 0;
        count.open = code_ != count.countCode;
    }
}

// Hands the held lines on, each count rewritten as the number of its items
// where dxflib would read another number.
void TGroupGuard::Release(std::string& out) {
    size_t from = 0;
    for (const TPendingCount& count : pending_) {
        const std::string_view text(held_.data() + count.offset, count.length);
        const int64_t announced = ReadsAsNumber(count.countCode, text) ? AsDxflibInt(text) : -1;
        const int64_t items = std::min(count.items, kLargestCount);
        if (announced == items || (announced <= 0 && items == 0))
            continue;
        loweredCounts_ += announced > items ? 1 : 0;
        raisedCounts_ += announced < items ? 1 : 0;
        out.append(held_, from, count.offset - from);
        out += std::to_string(items);
        from = count.offset + count.length;
    }
    out.append(held_, from, std::string::npos);
    held_.clear();
    pending_.clear();
}

void TGroupGuard::BadNumber(std::string& to) {
    if (badNumbers_++ == 0)
        firstBadLine_ = lineNumber_;
    Append(to, "0");
}

} // namespace quillform::detail
