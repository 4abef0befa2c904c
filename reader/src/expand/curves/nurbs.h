// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "expand/curves/parametric_curve.h"
#include "model/spline_curve.h"

#include <optional>
#include <vector>

namespace quillform::detail {

// A checked B-spline in homogeneous form: control point i is weights[i] * P_i with weight
// weights[i] (all 1 when not rational). The curve runs over [lo, hi] = [knots[degree],
// knots[count]].
struct TNurbs {
    int degree = 0;
    std::vector<double> knots;
    std::vector<TPoint2D> weighted;
    std::vector<double> weights;
    double lo = 0, hi = 0;
    double size = 0; // the diagonal of the control points' box, which holds the curve
};

// The B-spline of a spline's control points, knots and weights, or nothing when they do not
// define a curve (see FitSpline).
std::optional<TNurbs> PrepareNurbs(const TSplineCurve& spline);

// Evaluation by the Cox-de Boor recurrence: the basis functions of the knot span holding t and
// their derivatives, summed over the homogeneous control points, then divided by the weight.
class TNurbsCurve : public TParametricCurve {
public:
    explicit TNurbsCurve(const TNurbs& nurbs) : nurbs_(nurbs) {}
    TCurveSample Evaluate(double t, bool fromBelow) const override;
    int PiecesBetween(double a, double b) const override;
    double Extent() const override { return nurbs_.size; }
    // The distinct knots strictly between lo and hi, ascending.
    std::vector<double> InteriorKnots() const;

private:
    size_t Span(double t, bool fromBelow) const;
    const TNurbs& nurbs_;
};

} // namespace quillform::detail
