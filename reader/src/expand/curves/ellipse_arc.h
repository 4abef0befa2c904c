// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "expand/curves/fitted_chain.h"
#include "model/geometry_constants.h"

namespace quillform::detail {

// An ellipse or elliptical arc in the drawing plane, as an ELLIPSE entity gives it:
//   point(t) = center + majorAxis cos t + ratio * perp(majorAxis) sin t,
// perp turning a quarter counter-clockwise.
struct TEllipseArc {
    TPoint2D center;
    TPoint2D majorAxis; // the end of the major axis, relative to the centre
    double ratio = 1;   // minor / major; any positive ratio is drawn as the formula says
    // Radians. Travel runs from startParam to endParam counter-clockwise (growing t), or
    // clockwise when `clockwise` is set, as in the mirrored image of an arc. Equal parameters,
    // or parameters a whole turn apart, mean the full ellipse.
    double startParam = 0;
    double endParam = 2 * kPi;
    bool clockwise = false;
};

TPoint2D EllipsePoint(const TEllipseArc& ellipse, double param);

// x' = A x + offset, A = [xx xy; yx yy].
struct TAffineMap {
    double xx = 1, xy = 0, yx = 0, yy = 1;
    TPoint2D offset;
};

// The image of a circular arc (angles in degrees, counter-clockwise from start to end unless
// clockwise; equal angles mean the full circle) under an affine map, such as a block insert
// with unequal scales: an elliptical arc travelled in the same direction, of ratio 1 when the
// map keeps shapes. A map that flattens the circle gives ratio 0, which fits to nothing.
TEllipseArc EllipseFromMappedArc(TPoint2D center, double radius, double startAngleDeg,
                                 double endAngleDeg, bool clockwise, const TAffineMap& map);

// Arcs and straight edges within `tolerance` of the ellipse, tangent to each other, closed for
// a full ellipse. Empty for an ellipse of no size, a ratio that is not positive, or anything
// not finite. Tolerances below a billionth of the ellipse's size are raised to that.
TFittedChain FitEllipse(const TEllipseArc& ellipse, double tolerance,
                        bool* overEdgeLimit = nullptr);

// The greatest distance between the chain and the ellipse, both ways, by dense sampling.
double EllipseDeviation(const TFittedChain& chain, const TEllipseArc& ellipse);

} // namespace quillform::detail
