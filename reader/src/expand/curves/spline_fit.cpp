// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/curves/spline_fit.h"
#include "expand/curves/biarc_fitting.h"
#include "expand/curves/chain_deviation.h"
#include "expand/curves/nurbs.h"
#include "expand/curves/plane_math.h"
#include "expand/curves/spline_interpolation.h"

#include <algorithm>
#include <cmath>

namespace quillform::detail {

using namespace curve_math;

namespace {

// Tolerances are kept above this share of the spline's size (rounding in the coordinates is
// larger below it).
constexpr double kFinestTolerance = 1e-9;
// Ends (or the two sides of a knot) this share of the size apart are one point.
constexpr double kSamePoint = 1e-9;
// A tangent turning more than this at a knot makes a corner there.
constexpr double kCornerAngle = 1e-9;

// Whether the control points that shape the span ending at knot u lie on one line: then the
// span is straight (the curve keeps to their hull).
bool StraightSpan(const TNurbs& nurbs, double u) {
    const auto upper = std::lower_bound(nurbs.knots.begin(), nurbs.knots.end(), u);
    const size_t span = static_cast<size_t>(upper - nurbs.knots.begin()) - 1;
    const TPoint2D a =
        (1 / nurbs.weights[span - nurbs.degree]) * nurbs.weighted[span - nurbs.degree];
    const TPoint2D b = (1 / nurbs.weights[span]) * nurbs.weighted[span];
    const double length = Distance(a, b);
    for (size_t i = span - nurbs.degree; i <= span; ++i) {
        const TPoint2D p = (1 / nurbs.weights[i]) * nurbs.weighted[i];
        if (!(length > 0) || std::abs(Cross(b - a, p - a)) > kSamePoint * nurbs.size * length)
            return false;
    }
    return true;
}

// The knots where the tangent turns (a corner stays a corner) or a straight stretch begins or
// ends (so that it becomes one straight edge), with both ends. Nothing when the curve jumps at
// a knot that repeats more than the degree.
std::optional<std::vector<double>> Breaks(const TNurbsCurve& curve, const TNurbs& nurbs,
                                          double size) {
    std::vector<double> breaks{nurbs.lo};
    const std::vector<double> knots = curve.InteriorKnots();
    for (size_t i = 0; i < knots.size(); ++i) {
        const double u = knots[i];
        const double before = i > 0 ? knots[i - 1] : nurbs.lo;
        const double after = i + 1 < knots.size() ? knots[i + 1] : nurbs.hi;
        if (Distance(curve.Evaluate(u, true).point, curve.Evaluate(u, false).point) >
            kSamePoint * size)
            return std::nullopt;
        const TPoint2D in = UnitTangent(curve, u, true, before);
        const TPoint2D out = UnitTangent(curve, u, false, after);
        if (std::abs(TurnAngle(in, out)) > kCornerAngle ||
            StraightSpan(nurbs, u) != StraightSpan(nurbs, after))
            breaks.push_back(u);
    }
    breaks.push_back(nurbs.hi);
    return breaks;
}

// The middle of the box of the points that define the spline. Fitting runs
// around it: rounding then depends on the curve's size, not on how far from
// the origin it lies, and the fit of a moved spline is the moved fit.
TPoint2D LocalOrigin(const TSplineCurve& spline) {
    const std::vector<TPoint2D>& points =
        spline.controlPoints.empty() ? spline.fitPoints : spline.controlPoints;
    if (points.empty())
        return {};
    TPoint2D low = points.front(), high = low;
    for (const TPoint2D& p : points) {
        low = TPoint2D(std::min(low.X, p.X), std::min(low.Y, p.Y));
        high = TPoint2D(std::max(high.X, p.X), std::max(high.Y, p.Y));
    }
    const TPoint2D middle = 0.5 * (low + high);
    return IsFinite(middle) ? middle : TPoint2D();
}

TSplineCurve Moved(TSplineCurve spline, TPoint2D by) {
    for (TPoint2D& p : spline.controlPoints)
        p = p + by;
    for (TPoint2D& p : spline.fitPoints)
        p = p + by;
    return spline;
}

void Move(TFittedChain& chain, TPoint2D by) {
    for (TFittedEdge& edge : chain) {
        edge.start = edge.start + by;
        edge.end = edge.end + by;
        if (edge.isArc)
            edge.center = edge.center + by;
    }
}

std::optional<TNurbs> Prepare(const TSplineCurve& spline) {
    return spline.controlPoints.empty() ? PrepareNurbs(SplineFromFitPoints(spline))
                                        : PrepareNurbs(spline);
}

TFittedChain FitLocally(const TSplineCurve& spline, double tolerance, bool* overEdgeLimit) {
    const std::optional<TNurbs> nurbs = Prepare(spline);
    if (!nurbs)
        return {};
    const double size = nurbs->size;
    if (!(size > 0))
        return {};
    const TNurbsCurve curve(*nurbs);
    std::optional<std::vector<double>> breaks = Breaks(curve, *nurbs, size);
    if (!breaks)
        return {};
    TCurveFitRequest request;
    request.breaks = std::move(*breaks);
    request.closed = Distance(curve.Evaluate(nurbs->lo, false).point,
                              curve.Evaluate(nurbs->hi, true).point) <= kSamePoint * size;
    request.tolerance = std::isfinite(tolerance)
                            ? std::clamp(tolerance, kFinestTolerance * size, size)
                            : kFinestTolerance * size;
    request.overEdgeLimit = overEdgeLimit;
    return FitCurve(curve, request);
}

} // namespace

TFittedChain FitSpline(const TSplineCurve& spline, double tolerance, bool* overEdgeLimit) {
    const TPoint2D origin = LocalOrigin(spline);
    TFittedChain chain = FitLocally(Moved(spline, -1.0 * origin), tolerance, overEdgeLimit);
    Move(chain, origin);
    return chain;
}

double SplineDeviation(const TFittedChain& chain, const TSplineCurve& spline) {
    const std::optional<TNurbs> nurbs = Prepare(spline);
    if (!nurbs)
        return HUGE_VAL;
    return ChainDeviation(chain, TNurbsCurve(*nurbs), nurbs->lo, nurbs->hi);
}

} // namespace quillform::detail
