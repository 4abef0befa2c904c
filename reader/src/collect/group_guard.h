// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "collect/number_check.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillform::detail {

// Watches the group pairs on their way to the parser and mends what would
// make it misbehave:
// - dxflib sizes a buffer by some count groups (the vertices of an
//   LWPOLYLINE, the knots, control and fit points of a SPLINE, the vertices
//   of a LEADER), zero-fills it before any item arrives and drops the items
//   beyond it. A count is held back until its entity ends and then handed
//   on as the number of items that really follow it, so that a number in
//   the file can never make the reader allocate more than the file holds,
//   nor lose items.
// - dxflib leaves a number it cannot read uninitialised (an empty value) or
//   reads it as 0: such a value of a numeric group becomes 0, counted with
//   the line of the first one.
// Also notes the SECTION and EOF markers.
class TGroupGuard {
public:
    // dxflib multiplies a count by up to four in int arithmetic.
    static constexpr int64_t kLargestCount = 0x7FFFFFFF / 4;

    // Takes the next line of the file and appends what the parser must see
    // to out: at once, or, while a count waits for its items, when its
    // entity ends.
    void Line(std::string_view line, std::string& out) {
        ++lineNumber_;
        std::string& to = pending_.empty() ? out : held_;
        const bool codeLine = codeLine_;
        codeLine_ = !codeLine_;
        if (codeLine) {
            code_ = static_cast<unsigned int>(AsDxflibInt(line));
            if (!pending_.empty())
                CountItem(out);
            Append(pending_.empty() ? out : held_, line);
            return;
        }
        if (code_ == 0 || code_ == 9)
            Entity(line, code_ == 0);
        else if (entity_ != Sized::None && IsCountGroup())
            return HoldCount(line);
        else if (!ReadsAsNumber(code_, line))
            return BadNumber(to);
        Append(to, line);
    }
    // The end of the file: whatever was held back.
    void Finish(std::string& out) { Release(out); }

    // dxflib's own conversion: strtol, kept as int; a group code is then
    // taken as unsigned. Doing the same keeps the guard from reading a code
    // or a count other than the one the parser acts on. The usual line, a
    // few digits after spaces, is read here; anything else goes to strtol.
    static int AsDxflibInt(std::string_view line) {
        size_t at = 0;
        while (at < line.size() && line[at] == ' ')
            ++at;
        const size_t first = at;
        int value = 0;
        while (at < line.size() && at - first < 9 && line[at] >= '0' && line[at] <= '9')
            value = value * 10 + (line[at++] - '0');
        return at == line.size() && at > first ? value : StrtolInt(line);
    }

    bool SawSection() const { return sawSection_; }
    bool SawEof() const { return sawEof_; }
    int64_t LoweredCounts() const { return loweredCounts_; }
    int64_t RaisedCounts() const { return raisedCounts_; }
    int64_t BadNumbers() const { return badNumbers_; }
    int64_t FirstBadNumberLine() const { return firstBadLine_; }

private:
    // The entities whose count groups size a buffer.
    enum class Sized : uint8_t { None, LwPolyline, Spline, Leader };
    // A count value held back: where it lies in held_, and the items that follow it.
    struct TPendingCount {
        size_t offset = 0, length = 0;
        unsigned int countCode = 0, itemCode = 0;
        int64_t items = 0;
        bool open = true; // until the same count comes again or the entity ends
    };

    static void Append(std::string& out, std::string_view line) {
        out.append(line.data(), line.size());
        out.push_back('\n');
    }
    static int StrtolInt(std::string_view line);
    void Entity(std::string_view line, bool marker);
    bool IsCountGroup() const;
    void HoldCount(std::string_view line);
    void CountItem(std::string& out);
    void Release(std::string& out);
    void BadNumber(std::string& to);

    bool codeLine_ = true;
    unsigned int code_ = 0;
    int64_t lineNumber_ = 0;
    Sized entity_ = Sized::None; // the kind of the last group 0's entity
    std::vector<TPendingCount> pending_;
    std::string held_; // the lines from the first pending count on
    bool sawSection_ = false;
    bool sawEof_ = false;
    int64_t loweredCounts_ = 0;
    int64_t raisedCounts_ = 0;
    int64_t badNumbers_ = 0;
    int64_t firstBadLine_ = 0;
};

} // namespace quillform::detail
