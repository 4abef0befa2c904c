// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "link/end_index.h"

#include "link/contour_building.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quillform::detail {

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();

double Coordinate(const TEndIndex::End& end, int depth) {
    return depth % 2 ? end.y : end.x;
}
} // namespace

struct TEndIndex::Query {
    TPoint2D point;
    double low[2], high[2]; // the box that holds every end within reach
    uint32_t best = kNone;
};

TEndIndex::TEndIndex(std::vector<End> ends, uint32_t keyCount, uint32_t groupCount,
                     double linkingDistance)
    : groups_(groupCount), positions_(2 * static_cast<size_t>(keyCount), kNone),
      removed_(keyCount, false), distance_(linkingDistance) {
    GroupEnds(std::move(ends), groupCount);
    minKey_.assign(ends_.size(), kNone);
    for (const Range& range : groups_)
        Build(range.begin, range.end, 0);
    for (uint32_t p = 0; p < ends_.size(); ++p) {
        uint32_t* slot = &positions_[2 * static_cast<size_t>(ends_[p].key)];
        slot[*slot == kNone ? 0 : 1] = p;
    }
}

// Grouped by a counting sort, each group in the order given; a NaN end is
// never within reach of anything. One group (one layer, or layers mixed)
// keeps the given vector, filtered in place, rather than a copy of it.
void TEndIndex::GroupEnds(std::vector<End> ends, uint32_t groupCount) {
    const auto unreachable = [](const End& e) { return std::isnan(e.x) || std::isnan(e.y); };
    if (groupCount == 1) {
        ends.erase(std::remove_if(ends.begin(), ends.end(), unreachable), ends.end());
        ends_ = std::move(ends);
        groups_[0] = Range{0, static_cast<uint32_t>(ends_.size())};
        return;
    }
    std::vector<uint32_t> starts(groupCount + 1, 0);
    for (const End& e : ends)
        if (!unreachable(e))
            ++starts[e.group + 1];
    for (uint32_t g = 0; g < groupCount; ++g)
        starts[g + 1] += starts[g];
    ends_.resize(starts[groupCount]);
    for (uint32_t g = 0; g < groupCount; ++g)
        groups_[g] = Range{starts[g], starts[g + 1]};
    for (const End& e : ends)
        if (!unreachable(e))
            ends_[starts[e.group]++] = e;
}

// The element at the middle of a range splits it on x at even depths and on
// y at odd ones; smaller or equal coordinates lie before it, larger or equal after.
void TEndIndex::Build(uint32_t begin, uint32_t end, int depth) {
    if (begin >= end)
        return;
    const uint32_t mid = begin + (end - begin) / 2;
    if (depth % 2)
        std::nth_element(ends_.begin() + begin, ends_.begin() + mid, ends_.begin() + end,
                         [](const End& a, const End& b) { return a.y < b.y; });
    else
        std::nth_element(ends_.begin() + begin, ends_.begin() + mid, ends_.begin() + end,
                         [](const End& a, const End& b) { return a.x < b.x; });
    Build(begin, mid, depth + 1);
    Build(mid + 1, end, depth + 1);
    minKey_[mid] = std::min({ends_[mid].key, SubtreeMin(begin, mid), SubtreeMin(mid + 1, end)});
}

uint32_t TEndIndex::SubtreeMin(uint32_t begin, uint32_t end) const {
    return begin < end ? minKey_[begin + (end - begin) / 2] : kNone;
}

void TEndIndex::Remove(uint32_t key) {
    if (key >= removed_.size() || removed_[key])
        return;
    removed_[key] = true;
    for (int k = 0; k < 2; ++k) {
        const uint32_t position = positions_[2 * static_cast<size_t>(key) + k];
        if (position == kNone)
            continue;
        const Range range = groups_[ends_[position].group];
        Refresh(range.begin, range.end, position);
    }
}

// Recomputes the smallest live key of the subtrees on the path from the root
// of the range down to the position, from the bottom up; a subtree whose
// smallest key stays the same leaves those above it as they are.
void TEndIndex::Refresh(uint32_t begin, uint32_t end, uint32_t position) {
    struct Step {
        uint32_t begin, end;
    };
    Step path[64];
    int depth = 0;
    for (;;) {
        path[depth++] = Step{begin, end};
        const uint32_t mid = begin + (end - begin) / 2;
        if (position == mid)
            break;
        if (position < mid)
            end = mid;
        else
            begin = mid + 1;
    }
    while (depth > 0) {
        const Step s = path[--depth];
        const uint32_t mid = s.begin + (s.end - s.begin) / 2;
        const uint32_t own = removed_[ends_[mid].key] ? kNone : ends_[mid].key;
        const uint32_t now = std::min({own, SubtreeMin(s.begin, mid), SubtreeMin(mid + 1, s.end)});
        if (now == minKey_[mid])
            return;
        minKey_[mid] = now;
    }
}

uint32_t TEndIndex::Earliest(uint32_t group, TPoint2D p) const {
    // A NaN distance, or a negative one, keeps everything apart.
    if (group >= groups_.size() || !(distance_ >= 0) || std::isnan(p.X) || std::isnan(p.Y))
        return kNone;
    Query query;
    query.point = p;
    // Near(a, p) implies |a.x - p.x| <= distance up to one rounding, and
    // squares below 1e-300 may vanish: the box is widened for both.
    const double reach = std::isinf(distance_) ? kInf : distance_ * (1 + 1e-12) + 1e-150;
    const double coords[2] = {p.X, p.Y};
    for (int d = 0; d < 2; ++d) {
        query.low[d] = reach == kInf ? -kInf : coords[d] - reach;
        query.high[d] = reach == kInf ? kInf : coords[d] + reach;
    }
    const Range range = groups_[group];
    Visit(range.begin, range.end, 0, query);
    return query.best;
}

// Visited only while some end could still be as near as the best found (by
// the distance across the split, shrunk for the rounding of EndDistance)
// with a key smaller than the best's.
struct TEndIndex::NearestQuery {
    TPoint2D point;
    double reach;
    Nearness best;

    bool Worth(double across, uint32_t minKey) const {
        if (minKey == kNone)
            return false;
        const double bound = across * (1 - 1e-12) - 1e-150;
        if (best.key == kNone)
            return bound <= reach;
        return bound < best.distance || (bound <= best.distance && minKey < best.key);
    }
    void Offer(const End& e, double linkingDistance) {
        const double d = EndDistance(TPoint2D(e.x, e.y), point);
        if (!(d <= linkingDistance))
            return;
        if (best.key == kNone || d < best.distance || (d == best.distance && e.key < best.key))
            best = Nearness{e.key, d};
    }
};

TEndIndex::Nearness TEndIndex::Nearest(uint32_t group, TPoint2D p) const {
    if (group >= groups_.size() || !(distance_ >= 0) || std::isnan(p.X) || std::isnan(p.Y))
        return Nearness();
    NearestQuery query{p, std::isinf(distance_) ? kInf : distance_ * (1 + 1e-12) + 1e-150, {}};
    const Range range = groups_[group];
    VisitNearest(range.begin, range.end, 0, query);
    return query.best;
}

// The side of the split that holds the point first: it may prune the other.
void TEndIndex::VisitNearest(uint32_t begin, uint32_t end, int depth, NearestQuery& query) const {
    if (begin >= end)
        return;
    const uint32_t mid = begin + (end - begin) / 2;
    const End& e = ends_[mid];
    if (!removed_[e.key])
        query.Offer(e, distance_);
    const double offset = (depth % 2 ? query.point.Y : query.point.X) - Coordinate(e, depth);
    const bool lowFirst = offset <= 0;
    const uint32_t nearBegin = lowFirst ? begin : mid + 1, nearEnd = lowFirst ? mid : end;
    const uint32_t farBegin = lowFirst ? mid + 1 : begin, farEnd = lowFirst ? end : mid;
    if (query.Worth(0, SubtreeMin(nearBegin, nearEnd)))
        VisitNearest(nearBegin, nearEnd, depth + 1, query);
    if (query.Worth(std::fabs(offset), SubtreeMin(farBegin, farEnd)))
        VisitNearest(farBegin, farEnd, depth + 1, query);
}

void TEndIndex::Visit(uint32_t begin, uint32_t end, int depth, Query& query) const {
    while (begin < end) {
        const uint32_t mid = begin + (end - begin) / 2;
        if (minKey_[mid] >= query.best)
            return;
        const End& e = ends_[mid];
        if (e.key < query.best && query.low[0] <= e.x && e.x <= query.high[0] &&
            query.low[1] <= e.y && e.y <= query.high[1] && !removed_[e.key] &&
            Near(TPoint2D(e.x, e.y), query.point, distance_))
            query.best = e.key;
        const double split = Coordinate(e, depth);
        const bool left = query.low[depth % 2] <= split && SubtreeMin(begin, mid) < query.best;
        const bool right = split <= query.high[depth % 2] && SubtreeMin(mid + 1, end) < query.best;
        if (left && right) {
            // The subtree with the earlier key first: it may prune the other.
            if (SubtreeMin(begin, mid) < SubtreeMin(mid + 1, end)) {
                Visit(begin, mid, depth + 1, query);
                begin = mid + 1;
            } else {
                Visit(mid + 1, end, depth + 1, query);
                end = mid;
            }
        } else if (left) {
            end = mid;
        } else if (right) {
            begin = mid + 1;
        } else {
            return;
        }
        ++depth;
    }
}

} // namespace quillform::detail
