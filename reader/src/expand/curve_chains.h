// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/placement.h"
#include "model/spline_curve.h"

#include "model/entity_store.h"

namespace quillform::detail {

// Curves that are not circles in the drawing plane (ellipses, splines, and
// circles, arcs and bulges under unequal scale or a tilted plane) as chains
// of arcs and straight edges within the tolerance, each given as a raw
// polyline whose bulges carry the arcs, closed when the curve is. Null when
// nothing could be fitted (a curve of no size, data that define no curve, or
// one that needs more edges than allowed: then *overEdgeLimit is set).

// The image under `map` of the unit circle's arc from startDegrees to
// endDegrees (counter-clockwise; equal angles: the whole circle).
TDXFPolygon* EllipseChain(const TAffine2D& map, double startDegrees, double endDegrees,
                          bool clockwise, double tolerance, const char* layer,
                          bool* overEdgeLimit = nullptr);

TDXFPolygon* SplineChain(const TSplineCurve& spline, const TAffine2D& map, double tolerance,
                         const char* layer, bool* overEdgeLimit = nullptr);

// A raw polyline with bulges under a map that does not keep circles: its
// straight edges mapped, its bulged edges (bulges beyond bulgeTolerance)
// fitted as elliptical arcs.
TDXFPolygon* BulgedPolylineChain(const TDXFPolygon& polyline, const TAffine2D& map,
                                 double curveTolerance, double bulgeTolerance, const char* layer,
                                 bool* overEdgeLimit = nullptr);

} // namespace quillform::detail
