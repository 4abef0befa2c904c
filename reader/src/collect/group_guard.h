// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string>

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

    bool SawSection() const { return sawSection_; }
    bool SawEof() const { return sawEof_; }
    int64_t LoweredCounts() const { return loweredCounts_; }

private:
    void Value(std::string& line, int64_t remainingBytes);

    bool codeLine_ = true;
    unsigned int code_ = 0;
    std::string entity_;  // the value of the last group 0, trimmed and in capitals
    int64_t claimed_ = 0; // items the counts of this entity have claimed so far
    bool sawSection_ = false;
    bool sawEof_ = false;
    int64_t loweredCounts_ = 0;
};
