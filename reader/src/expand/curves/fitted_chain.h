// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/basic_records.h"

#include <vector>

namespace quillform::detail {

// One straight or circular edge of a curve approximated by lines and arcs. Edges run from start
// to end; in a chain the end of one edge is the start of the next, bitwise, and a closed curve's
// last end is its first start.
struct TFittedEdge {
    TPoint2D start, end;
    bool isArc = false;
    // When isArc: the circle, and the way round from start to end (an arc never turns more than
    // half a circle, so its ends and direction fix it).
    TPoint2D center;
    double radius = 0;
    bool clockwise = false;
};
using TFittedChain = std::vector<TFittedEdge>;

TFittedEdge StraightEdge(TPoint2D start, TPoint2D end);

// The angle an arc edge turns through, positive, in (0, 2 pi].
double EdgeSweep(const TFittedEdge& edge);
// The point a fraction f (0 at start, 1 at end) along the edge.
TPoint2D PointOnEdge(const TFittedEdge& edge, double f);
// The unit tangent of the edge in its direction of travel at its start or end.
TPoint2D EdgeTangent(const TFittedEdge& edge, bool atEnd);
double DistanceToEdge(const TFittedEdge& edge, TPoint2D point);
double EdgeLength(const TFittedEdge& edge);

} // namespace quillform::detail
