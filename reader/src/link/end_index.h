// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/basic_records.h"

#include <cstdint>
#include <vector>

namespace quillform::detail {

// The ends of the entities that linking may still join, for the question
// the literal scan answers: which entity, earliest in list order, has an end
// within the linking distance of a point? Entities are numbered by that
// order (keys); an entity is only found with others of its group.
//
// One implicit k-d tree per group, each node holding the smallest live key
// beneath it, so that a query prunes every subtree that could only offer a
// later entity: thousands of coincident ends cost a logarithmic search, not
// a scan. Boxes only propose candidates; Near's own arithmetic decides.
class TEndIndex {
public:
    static constexpr uint32_t kNone = UINT32_MAX;
    struct End {
        double x, y;
        uint32_t key;
        uint32_t group;
    };

    TEndIndex(std::vector<End> ends, uint32_t keyCount, uint32_t groupCount,
              double linkingDistance);
    // The smallest live key of the group with an end p is Near to.
    uint32_t Earliest(uint32_t group, TPoint2D p) const;
    // The live key of the group with the end nearest to p within reach (by
    // EndDistance; the smaller key among equally near ones), and that distance.
    struct Nearness {
        uint32_t key = kNone;
        double distance = 0;
    };
    Nearness Nearest(uint32_t group, TPoint2D p) const;
    // The entity has been joined or has started a contour.
    void Remove(uint32_t key);

private:
    struct Range {
        uint32_t begin = 0, end = 0;
    };
    struct Query;
    struct NearestQuery;

    void GroupEnds(std::vector<End> ends, uint32_t groupCount);

    std::vector<End> ends_;
    std::vector<uint32_t> minKey_; // smallest live key of the subtree rooted at each position
    std::vector<Range> groups_;
    std::vector<uint32_t> positions_; // two positions per key (kNone when absent)
    std::vector<bool> removed_;
    double distance_;

    void Build(uint32_t begin, uint32_t end, int depth);
    void Refresh(uint32_t begin, uint32_t end, uint32_t position);
    void Visit(uint32_t begin, uint32_t end, int depth, Query& query) const;
    void VisitNearest(uint32_t begin, uint32_t end, int depth, NearestQuery& query) const;
    uint32_t SubtreeMin(uint32_t begin, uint32_t end) const;
};

} // namespace quillform::detail
