// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/outline.h"

#include <vector>

// The edges of an outline as the check sees them: straight, or arcs of a
// circle taken exactly.
namespace quillform::detail {

struct TCheckEdge {
    Point from, to;
    bool arc = false;
    Point center;
    double radius = 0;
    double start = 0; // the direction of `from` from the centre (radians)
    double sweep = 0; // signed: negative clockwise; 2 pi for a circle
    // How far the arc's own end lies from `to` (linking may join ends that
    // far apart; the edge then goes on straight).
    double slack = 0;
};

std::vector<TCheckEdge> EdgesOf(const Outline& outline);
Bounds EdgeBox(const TCheckEdge& edge);

// Where two edges cross: points inside both (more than `tolerance` from
// their ends) where they pass through each other. Edges that touch, run
// along each other or lie on one circle do not cross.
std::vector<Point> Crossings(const TCheckEdge& a, const TCheckEdge& b, double tolerance);

// Appends points along the edge, its start first and its end left out, no
// chord straying more than `sag` from an arc unless the number of chords is
// capped. Returns how far they stray at most.
double Flatten(const TCheckEdge& edge, double sag, std::vector<Point>& points);

// Whether p lies inside the closed polygon (even-odd rule).
bool InsidePolygon(const std::vector<Point>& polygon, Point p);

} // namespace quillform::detail
