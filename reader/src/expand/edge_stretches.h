// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/entity_lists.h"

#include "quillform/diagnostics.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>
#include <vector>

namespace quillform::detail {

// One edge as a stretch [lo, hi] of the line or circle it lies on: `key`
// orders and groups edges of one carrier (layer, then the carrier's
// figures), `lo`/`hi` are positions along it (length along a line, angle
// times radius on a circle), with the exact ends that lie there.
//
// A loose edge is a LINE or ARC of its own (`item` is its record); a fixed
// edge is one of a polyline's edges or a whole CIRCLE (`item` is the
// polyline or circle): it can be overlapped but is never changed.
struct TStretch {
    void* item = nullptr;
    const char* layer = nullptr;
    double key[3] = {0, 0, 0};
    double lo = 0, hi = 0;
    TPoint2D loEnd, hiEnd;
    uint32_t layerRank = 0; // the layer's place among the names, while grouped
    bool fixed = false;
    bool copy = false; // an arc seen again one turn back
};

// Edges on straight lines, or on circles.
enum class TCarrierKind { Lines, Circles };

// The lines (or the arcs) of the lists as stretches, with, when
// `withFixed`, the edges of the polylines (and the circles) that may lie on
// the carrier of a loose one. Edges of no length are left out.
std::vector<TStretch> Stretches(const TEntityLists& lists, double tolerance, TCarrierKind kind,
                                bool withFixed);

// Notes the lines, arcs and circles of no length of each layer as
// "tinyEntities", at the first of them.
void NoteTinyEntities(const TEntityLists& lists, double tolerance, quillform::Diagnostics& report);

// Where a position along the stretch's carrier lies.
TPoint2D OnLine(const TStretch& s, double at);
TPoint2D OnCircle(const TStretch& s, double at);

// Frees and unlinks the list's items that are in `removed`.
void RemoveItems(TLista& list, const std::unordered_set<void*>& removed, void (*destroy)(void*));

// The line (arc, counter-clockwise) from position lo to hi of its carrier,
// with the exact ends that lie there.
void SetLine(TDXFSegment& s, TPoint2D from, TPoint2D to);
void SetArc(TDXFArc& a, double lo, double hi, TPoint2D loEnd, TPoint2D hiEnd);

// Lines are one carrier when their directions differ by less than this.
inline double AngleTolerance(double tolerance) {
    return tolerance * 1e-3;
}

using TStretchIt = std::vector<TStretch>::iterator;

// Splits the stretches into groups whose key figure k strays no more than
// its tolerance from the group's first, then each group by the next figure.
template <typename Visit>
void SplitByKey(TStretchIt begin, TStretchIt end, int k, const double (&tolerance)[3], Visit& visit,
                bool sorted = false) {
    if (k == 3)
        return visit(begin, end);
    if (!sorted)
        std::sort(begin, end,
                  [k](const TStretch& a, const TStretch& b) { return a.key[k] < b.key[k]; });
    for (TStretchIt group = begin; group != end;) {
        TStretchIt next = group + 1;
        while (next != end && next->key[k] - group->key[k] <= tolerance[k])
            ++next;
        SplitByKey(group, next, k + 1, tolerance, visit);
        group = next;
    }
}

// Gives each stretch its layer's rank among the layer names in byte order.
void RankLayers(std::vector<TStretch>& all);

// Runs of stretches on one carrier: the same layer, and key figures within
// their tolerances; layers in the order of their names.
template <typename Visit>
void ForEachCarrier(std::vector<TStretch>& all, const double (&tolerance)[3], Visit visit) {
    RankLayers(all);
    std::sort(all.begin(), all.end(), [](const TStretch& a, const TStretch& b) {
        return a.layerRank != b.layerRank ? a.layerRank < b.layerRank : a.key[0] < b.key[0];
    });
    for (TStretchIt begin = all.begin(); begin != all.end();) {
        TStretchIt end = begin + 1;
        while (end != all.end() && end->layerRank == begin->layerRank)
            ++end;
        SplitByKey(begin, end, 0, tolerance, visit, true);
        begin = end;
    }
}

} // namespace quillform::detail
