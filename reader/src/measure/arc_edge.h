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

// The direction of an arc edge's start seen from its centre (radians).
double StartAngle(const Vertex& from);

// The radius an arc edge's geometry is drawn with: the distance of its start
// from its centre (the stored radius may differ in the last digits).
double EdgeRadius(const Vertex& from);

// Where the arc edge leaving `from` ends: on `to`, unless linking joined
// ends apart.
Point ArcEnd(const Vertex& from, const Vertex& to);

// The length of the edge from `from` to `to`. An arc whose end misses `to`
// (linking joined ends apart) goes on straight to it, here and in the area.
double EdgeLength(const Vertex& from, const Vertex& to);

// Twice the signed area x dy - y dx sweeps along the edge (Green's theorem),
// in coordinates relative to origin; summed over a closed outline, twice its
// area (positive counter-clockwise).
double TwiceArea(const Vertex& from, const Vertex& to, Point origin);

// The same for the arc of the circle (center relative to the origin,
// radius) from angle `start` through `sweep` radians.
double TwiceArcArea(Point center, double radius, double start, double sweep);

} // namespace quillform::detail
