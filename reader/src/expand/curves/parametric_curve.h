// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/basic_records.h"

#include <vector>

namespace quillform::detail {

struct TCurveSample {
    TPoint2D point;
    TPoint2D derivative;
};

// A plane curve over a parameter interval, as the fitting and the deviation check see it.
class TParametricCurve {
public:
    virtual ~TParametricCurve() = default;
    // The point and first derivative at t. At a knot where the curve has a corner the two sides
    // differ: fromBelow picks the limit from smaller parameters.
    virtual TCurveSample Evaluate(double t, bool fromBelow) const = 0;
    // How many polynomial pieces the curve has between a and b: sampling grows with it, so that
    // no piece goes unsampled.
    virtual int PiecesBetween(double a, double b) const = 0;
    // The size of the curve's box (or a bound on it): the scale for "too small to matter".
    virtual double Extent() const = 0;
};

// The direction of travel at t, looking from t's side. Where the derivative vanishes (repeated
// control points, a cusp) the direction is taken from a short chord towards `towards`.
TPoint2D UnitTangent(const TParametricCurve& curve, double t, bool fromBelow, double towards);

// Points of the curve at parameters evenly spread over [a, b], ends included.
struct TCurveSamples {
    std::vector<double> params;
    std::vector<TPoint2D> points;
};
TCurveSamples SampleCurve(const TParametricCurve& curve, double a, double b, int count);

// The distance from q to the curve (an upper bound that is tight where q is near the curve):
// the nearest sampled chord is found, then the foot point is refined on the curve itself.
double DistanceToCurve(const TParametricCurve& curve, const TCurveSamples& samples, TPoint2D q);

} // namespace quillform::detail
