// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "expand/curves/fitted_chain.h"
#include "model/spline_curve.h"

namespace quillform::detail {

// Arcs and straight edges within `tolerance` of the spline, tangent where the spline is smooth,
// with a corner wherever its tangent turns abruptly, and closed when its ends meet.
// Fit-point splines are interpolated first. Gives an empty chain for a spline whose data
// cannot define a curve: a degree below 1 or above 25 or not below the number of control
// points, a knot count other than points + degree + 1, knots that decrease, a gap where a
// knot repeats more than the degree, weights not all positive or of the wrong count, any
// value not finite, and a curve that never leaves its first point. Closed or periodic splines
// written with only the first control points unwrapped (knots for `degree` more points) are
// wrapped. Tolerances below a billionth of the spline's size are raised to that.
TFittedChain FitSpline(const TSplineCurve& spline, double tolerance, bool* overEdgeLimit = nullptr);

// The greatest distance between the chain and the spline, both ways, by dense sampling.
// Infinite when the spline is unusable or the chain empty.
double SplineDeviation(const TFittedChain& chain, const TSplineCurve& spline);

} // namespace quillform::detail
