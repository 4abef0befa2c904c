// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/drawing.h"

// The edges of an outline's values: a straight edge or an arc leaving a
// vertex for the next one.
namespace quillform::detail {

// The signed angle (radians, negative clockwise) an arc edge turns through
// from `from` to `to` in its direction; an edge back to its own start is the
// whole circle.
double Sweep(const Vertex& from, const Vertex& to);

// The radius an arc edge's geometry is drawn with: the distance of its start
// from its centre (the stored radius may differ in the last digits).
double EdgeRadius(const Vertex& from);

// The arc of the edge from `from` (which has one) to `to`. It ends on `to`,
// unless linking joined ends apart: the edge then goes on straight to `to`.
struct EdgeArc {
    Point center;
    double radius = 0; // EdgeRadius
    double start = 0;  // the direction of `from` seen from the centre (radians)
    double sweep = 0;  // Sweep
    Point end;
};
EdgeArc ArcOf(const Vertex& from, const Vertex& to);

// The length of a closed outline, and twice its signed area (positive
// counter-clockwise), by Green's theorem relative to its first vertex.
struct OutlineSums {
    double length = 0;
    double twiceArea = 0;
};
OutlineSums SumEdges(const Outline& outline);

// Twice the signed area x dy - y dx sweeps along the arc of the circle
// (center relative to the origin, radius) from angle `start` through
// `sweep` radians.
double TwiceArcArea(Point center, double radius, double start, double sweep);

} // namespace quillform::detail
