// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/drawing.h"
#include "quillform/measures.h"

#include <vector>

// The convex hull of an outline whose edges may be arcs, kept exactly: as
// the circles (points being circles of radius 0) that support it for each
// outward direction. For the direction u(t) = (cos t, sin t) a piece on
// circle (c, r) gives the support c.u(t) + r; consecutive pieces are joined by
// the straight edges tangent to both.
namespace quillform::detail {

// A candidate: a point (radius 0, sweep 2 pi), or the arc of a circle whose
// points face the outward directions from `start` through `sweep` radians,
// counter-clockwise.
struct HullFeature {
    Point center;
    double radius = 0;
    double start = 0;
    double sweep = 0;
};

// The piece of the boundary that supports the hull for the directions from
// `from` to `to` (radians, 0 <= from < to <= 2 pi).
struct HullPiece {
    Point center;
    double radius = 0;
    double from = 0;
    double to = 0;
};

struct ConvexHull {
    Point origin;                  // the pieces' coordinates are relative to it
    std::vector<HullPiece> pieces; // in order of direction, from 0 round to 2 pi; empty: nothing
    bool exact = true;  // false: built from sampled arcs (a safeguard that should not run)
    bool finite = true; // false: the outline spans more than a double holds

    // The greatest c.u(t) + r over the hull (relative to origin).
    double Support(double angle) const;
    // The hull's extent along the direction u(angle).
    double Width(double angle) const;
};

// The outline's hull features relative to origin (arcs with zero radius
// and zero sweep left to their end points, which are features too).
std::vector<HullFeature> HullFeatures(const Outline& outline, Point origin);

// The features that can support the hull: the rest lie strictly inside the
// hull of the vertices and arc samples (found with Boost.Geometry).
std::vector<HullFeature> HullCandidates(std::vector<HullFeature> features, double tolerance);

// The pieces of the hull of points (radius 0), from Boost.Geometry's hull:
// each corner supports the directions between its edges' normals. Empty
// when the points lie on a line.
std::vector<HullPiece> CornerPieces(const std::vector<HullFeature>& points);

// The supporting pieces of the features' hull, all round: the upper envelope
// of their support functions. Ties within `tolerance` (a length) go to the
// feature that stays higher. Empty when the march does not close, which
// well-formed input never does.
std::vector<HullPiece> SupportEnvelope(const std::vector<HullFeature>& features, double tolerance);

// The hull of a finite outline.
ConvexHull HullOf(const Outline& outline);

double HullArea(const ConvexHull& hull);
Bounds HullBox(const ConvexHull& hull);
Rectangle SmallestRectangle(const ConvexHull& hull);

} // namespace quillform::detail
