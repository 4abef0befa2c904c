// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/entity_store.h"

#include <cmath>
#include <optional>

namespace quillform::detail {

// How an entity in a vertical plane shows in a plan view. Its object
// coordinate system's x axis is horizontal and its y axis points up, out of
// sight: a point at object x shows at origin + x * direction.
struct TEdgeOnView {
    TPoint2D origin;
    TPoint2D direction; // of unit length
};

// The view of the plane with extrusion (nx, ny, nz) at the given elevation,
// when that plane is vertical (seen edge-on from above); nothing otherwise.
std::optional<TEdgeOnView> EdgeOnView(double nx, double ny, double nz, double elevation);

// The range of object x an entity covers.
struct TXSpan {
    double lo = HUGE_VAL, hi = -HUGE_VAL;
    void Add(double x) {
        lo = std::fmin(lo, x);
        hi = std::fmax(hi, x);
    }
};

TXSpan ArcSpan(const TDXFArc& arc);
TXSpan CircleSpan(const TDXFCircle& circle);
// Of a collected polyline (its flags first, then its vertices with bulges).
TXSpan PolylineSpan(const TDXFPolygon& polyline);

// The segment the span shows as in the view (its layer unset), or null when
// it shows as a point.
TDXFSegment* ShownSegment(const TEdgeOnView& view, const TXSpan& span);

} // namespace quillform::detail
