// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "expand/curves/fitted_chain.h"

#include <optional>
#include <vector>

// A SPLINE in the drawing plane: a B-spline (rational when weights are given) over its control
// points and knots, or, when it has no control points, the cubic through its fit points.
struct TSplineCurve {
    int degree = 3;
    std::vector<double> knots;
    std::vector<TPoint2D> controlPoints;
    std::vector<double> weights; // empty: not rational
    std::vector<TPoint2D> fitPoints;
    std::optional<TPoint2D> startTangent, endTangent; // directions, for fit points only
    bool closed = false, periodic = false;            // the entity's flags 1 and 2
};

// The cubic B-spline (clamped knots over chord lengths scaled to [0, 1]) through the fit
// points: leaving and arriving along the given end tangents, else with no bending at an end
// that has none (natural ends). A closed or periodic spline closes on its first fit point and
// is smooth (curvature continuous) there; its end tangents are not used. A fit point repeating
// the one before counts once. Fewer than two distinct fit points, or any not finite, give a
// spline without control points.
// Done in the spline's own coordinates, so that the control points can then be carried
// through an affine map (the interpolation itself does not commute with one).
TSplineCurve SplineFromFitPoints(const TSplineCurve& spline);

// Arcs and straight edges within `tolerance` of the spline, tangent where the spline is smooth,
// with a corner wherever its tangent turns abruptly, and closed when its ends meet.
// Fit-point splines are interpolated first. Gives an empty chain for a spline whose data
// cannot define a curve: a degree below 1 or above 25 or not below the number of control
// points, a knot count other than points + degree + 1, knots that decrease, a gap where a
// knot repeats more than the degree, weights not all positive or of the wrong count, any
// value not finite, and a curve that never leaves its first point. Closed or periodic splines
// written with only the first control points unwrapped (knots for `degree` more points) are
// wrapped. Tolerances below a billionth of the spline's size are raised to that.
TFittedChain FitSpline(const TSplineCurve& spline, double tolerance);

// The greatest distance between the chain and the spline, both ways, by dense sampling.
// Infinite when the spline is unusable or the chain empty.
double SplineDeviation(const TFittedChain& chain, const TSplineCurve& spline);
