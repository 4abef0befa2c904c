// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillform::detail {

// Watches the group pairs on their way to the parser. dxflib sizes a buffer
// by some count groups (the vertices of an LWPOLYLINE, the knots, control and
// fit points of a SPLINE, the vertices of a LEADER) and fills it before any
// item arrives: a count is lowered to what the rest of the file could hold,
// so that a number in the file can never make the reader allocate more than
// a small multiple of the file's size. Also notes the SECTION and EOF markers.
class TGroupGuard {
public:
    // The shortest group that can carry an item: a two-digit code, a line
    // end, an empty value and its line end.
    static constexpr int64_t kShortestItem = 4;
    // dxflib multiplies a count by up to four in int arithmetic.
    static constexpr int64_t kLargestCount = 0x7FFFFFFF / 4;

    // Takes the next line of the file; a count value that claims more items
    // than remainingBytes (the text after this line) could hold is rewritten.
    void Line(std::string& line, int64_t remainingBytes);
    // The same for a line that is only looked at: the text the parser must
    // see instead (valid until the next call), or null to pass it as it is.
    const std::string* Take(std::string_view line, int64_t remainingBytes) {
        const bool codeLine = codeLine_;
        codeLine_ = !codeLine_;
        if (codeLine) {
            code_ = static_cast<unsigned int>(AsDxflibInt(line));
            return nullptr;
        }
        if (code_ == 0) {
            Entity(line);
            return nullptr;
        }
        return entity_ != Sized::None && IsCountGroup() ? Count(line, remainingBytes) : nullptr;
    }

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

private:
    // The entities whose count groups size a buffer.
    enum class Sized : uint8_t { None, LwPolyline, Spline, Leader };

    static int StrtolInt(std::string_view line);
    void Entity(std::string_view line);
    bool IsCountGroup() const;
    const std::string* Count(std::string_view line, int64_t remainingBytes);

    bool codeLine_ = true;
    unsigned int code_ = 0;
    Sized entity_ = Sized::None; // the kind of the last group 0's entity
    int64_t claimed_ = 0;        // items the counts of this entity have claimed so far
    bool sawSection_ = false;
    bool sawEof_ = false;
    int64_t loweredCounts_ = 0;
    std::string rewritten_;
};

} // namespace quillform::detail
