// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/curves/fitted_chain.h"

#include "expand/curves/plane_math.h"
#include "model/geometry_constants.h"

#include <algorithm>
#include <cmath>

namespace quillform::detail {

using namespace curve_math;

namespace {

double DistanceToSegment(TPoint2D a, TPoint2D b, TPoint2D p) {
    const TPoint2D ab = b - a;
    const double length2 = Dot(ab, ab);
    const double f = length2 > 0 ? std::clamp(Dot(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    return Distance(a + f * ab, p);
}

double Angle(TPoint2D center, TPoint2D p) {
    return std::atan2(p.Y - center.Y, p.X - center.X);
}

// The counter-clockwise angle from a to b, in [0, 2 pi).
double CounterClockwiseAngle(double a, double b) {
    double sweep = std::fmod(b - a, 2 * kPi);
    if (sweep < 0)
        sweep += 2 * kPi;
    return sweep;
}

} // namespace

TFittedEdge StraightEdge(TPoint2D start, TPoint2D end) {
    TFittedEdge edge;
    edge.start = start;
    edge.end = end;
    return edge;
}

double EdgeSweep(const TFittedEdge& edge) {
    const double from = Angle(edge.center, edge.start);
    const double to = Angle(edge.center, edge.end);
    const double sweep =
        edge.clockwise ? CounterClockwiseAngle(to, from) : CounterClockwiseAngle(from, to);
    return sweep > 0 ? sweep : 2 * kPi;
}

TPoint2D PointOnEdge(const TFittedEdge& edge, double f) {
    if (!edge.isArc)
        return edge.start + f * (edge.end - edge.start);
    const double angle =
        Angle(edge.center, edge.start) + (edge.clockwise ? -f : f) * EdgeSweep(edge);
    return edge.center + edge.radius * TPoint2D(std::cos(angle), std::sin(angle));
}

TPoint2D EdgeTangent(const TFittedEdge& edge, bool atEnd) {
    if (!edge.isArc)
        return Unit(edge.end - edge.start);
    const TPoint2D radial = Unit((atEnd ? edge.end : edge.start) - edge.center);
    return edge.clockwise ? -1 * Perp(radial) : Perp(radial);
}

double DistanceToEdge(const TFittedEdge& edge, TPoint2D point) {
    if (!edge.isArc)
        return DistanceToSegment(edge.start, edge.end, point);
    // Whether the point lies in the arc's sector, by the sides of its two radii (no angles: this
    // is the inner loop of every fit).
    const TPoint2D first = (edge.clockwise ? edge.end : edge.start) - edge.center;
    const TPoint2D last = (edge.clockwise ? edge.start : edge.end) - edge.center;
    const TPoint2D v = point - edge.center;
    const bool afterFirst = Cross(first, v) >= 0, beforeLast = Cross(v, last) >= 0;
    const bool withinHalfTurn =
        Cross(first, last) > 0 || (Cross(first, last) == 0 && Dot(first, last) < 0);
    const bool inSector = withinHalfTurn ? afterFirst && beforeLast : afterFirst || beforeLast;
    if (inSector)
        return std::abs(Length(v) - edge.radius);
    return std::min(Distance(point, edge.start), Distance(point, edge.end));
}

double EdgeLength(const TFittedEdge& edge) {
    return edge.isArc ? edge.radius * EdgeSweep(edge) : Distance(edge.start, edge.end);
}

} // namespace quillform::detail
