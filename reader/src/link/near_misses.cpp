// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "link/near_misses.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

namespace quillform::detail {

namespace {
struct TEnd {
    double x, y;
    size_t chain;
    bool atLast;
};

// Neighbours looked at on each side of an end in x order: enough for any
// real drawing, and a bound when thousands of ends pile up in one place.
constexpr size_t kMostNeighbours = 64;

std::vector<TEnd> LooseEnds(const std::vector<quillform::OpenChain>& chains) {
    std::vector<TEnd> ends;
    for (size_t i = 0; i < chains.size(); ++i) {
        const auto& v = chains[i].vertices;
        if (v.empty() || !std::isfinite(v.front().x) || !std::isfinite(v.back().x))
            continue;
        ends.push_back(TEnd{v.front().x, v.front().y, i, false});
        ends.push_back(TEnd{v.back().x, v.back().y, i, true});
    }
    std::sort(ends.begin(), ends.end(), [](const TEnd& a, const TEnd& b) { return a.x < b.x; });
    return ends;
}
} // namespace

std::vector<quillform::NearMiss> FindNearMisses(const std::vector<quillform::OpenChain>& chains,
                                                double within) {
    std::vector<quillform::NearMiss> misses;
    if (!(within >= 0))
        return misses;
    const std::vector<TEnd> ends = LooseEnds(chains);
    std::set<std::pair<size_t, size_t>> seen; // (end, end) indexes, smaller first
    for (size_t e = 0; e < ends.size(); ++e) {
        size_t best = ends.size();
        double bestDistance = within;
        const auto look = [&](size_t o) {
            if (ends[o].chain == ends[e].chain)
                return;
            const double d = std::hypot(ends[o].x - ends[e].x, ends[o].y - ends[e].y);
            if (d <= bestDistance && (best == ends.size() || d < bestDistance)) {
                best = o;
                bestDistance = d;
            }
        };
        for (size_t o = e + 1;
             o < ends.size() && o <= e + kMostNeighbours && ends[o].x - ends[e].x <= within; ++o)
            look(o);
        for (size_t o = e; o-- > 0 && e - o <= kMostNeighbours && ends[e].x - ends[o].x <= within;)
            look(o);
        if (best == ends.size() || !seen.insert({std::min(e, best), std::max(e, best)}).second)
            continue;
        misses.push_back(quillform::NearMiss{ends[e].chain, ends[best].chain, ends[e].atLast,
                                             ends[best].atLast, bestDistance});
    }
    std::stable_sort(misses.begin(), misses.end(),
                     [](const quillform::NearMiss& a, const quillform::NearMiss& b) {
                         return a.distance < b.distance;
                     });
    return misses;
}

} // namespace quillform::detail
