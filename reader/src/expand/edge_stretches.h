// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/entity_lists.h"

#include "quillform/diagnostics.h"

#include <algorithm>
#include <cstring>
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
    bool fixed = false;
    bool copy = false; // an arc seen again one turn back
};

struct TCarriers {
    std::vector<TStretch> lines, arcs;
};

// The lines and arcs of the lists as stretches, with the edges of the
// polylines and the circles when `withFixed`. Lines, arcs and circles of no
// length are noted as "tinyEntities" in `report` (when given) instead.
TCarriers Stretches(const TEntityLists& lists, double tolerance, quillform::Diagnostics* report,
                    bool withFixed);

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
void SplitByKey(TStretchIt begin, TStretchIt end, int k, const double (&tolerance)[3],
                Visit& visit) {
    if (k == 3)
        return visit(begin, end);
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

// Runs of stretches on one carrier: the same layer, and key figures within
// their tolerances.
template <typename Visit>
void ForEachCarrier(std::vector<TStretch>& all, const double (&tolerance)[3], Visit visit) {
    const auto order = [](const char* a, const char* b) {
        return std::strcmp(a ? a : "", b ? b : "");
    };
    std::sort(all.begin(), all.end(),
              [&](const TStretch& a, const TStretch& b) { return order(a.layer, b.layer) < 0; });
    for (TStretchIt begin = all.begin(); begin != all.end();) {
        TStretchIt end = begin + 1;
        while (end != all.end() && order(begin->layer, end->layer) == 0)
            ++end;
        SplitByKey(begin, end, 0, tolerance, visit);
        begin = end;
    }
}

} // namespace quillform::detail
