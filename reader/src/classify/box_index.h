// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace quillform::detail {

// A closed axis-aligned box; NaN bounds make it meet nothing.
struct TBox {
    double minX, minY, maxX, maxY;

    bool Valid() const { return minX <= maxX && minY <= maxY; }
    bool Covers(const TBox& other) const {
        return minX <= other.minX && other.maxX <= maxX && minY <= other.minY && other.maxY <= maxY;
    }
    bool Holds(double x, double y) const {
        return minX <= x && x <= maxX && minY <= y && y <= maxY;
    }
};

// Boxes of one group or another (a layer, or all layers at once), from
// which the candidates of a containment test are drawn: an R-tree from
// Boost.Geometry over (box, group). A query proposes every entry of the
// group whose box meets the query box; the caller's own test decides.
class TBoxIndex {
public:
    struct Entry {
        TBox box;
        uint32_t group;
        uint32_t id;
    };

    // Packed at once from entryAt(0) .. entryAt(count - 1), asked for one by
    // one so that no list of them is held beside the tree; entries without a
    // valid box are left out.
    TBoxIndex(uint32_t count, const std::function<Entry(uint32_t)>& entryAt);
    ~TBoxIndex();
    TBoxIndex(const TBoxIndex&) = delete;
    TBoxIndex& operator=(const TBoxIndex&) = delete;

    // The ids of the group's entries whose boxes meet box, in no particular order.
    void Meeting(uint32_t group, const TBox& box, std::vector<uint32_t>& ids) const;

private:
    struct Tree;
    std::unique_ptr<Tree> tree_;
};

} // namespace quillform::detail
