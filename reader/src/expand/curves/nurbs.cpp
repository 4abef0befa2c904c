// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/curves/nurbs.h"

#include "expand/curves/plane_math.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quillform::detail {

using namespace curve_math;

namespace {

// Degrees above this are refused: real drawings stay far below, and evaluation costs grow with
// the square of the degree.
constexpr int kMaxDegree = 25;
// Knots written out of order by no more than this share of their range are rounding; they are
// set equal to their predecessor.
constexpr double kKnotRounding = 1e-12;

using TBasis = std::array<double, kMaxDegree + 2>;

bool AllFinite(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// Closed splines whose knots count `degree` more points than written: the first points are
// meant to be repeated at the end.
void WrapIfShort(const TSplineCurve& spline, TNurbs& nurbs, std::vector<TPoint2D>& points) {
    const size_t p = static_cast<size_t>(spline.degree);
    if (!(spline.closed || spline.periodic) || spline.knots.size() != points.size() + 2 * p + 1)
        return;
    for (size_t i = 0; i < p; ++i) {
        points.push_back(points[i]);
        nurbs.weights.push_back(nurbs.weights[i]);
    }
}

bool SortKnots(std::vector<double>& knots) {
    const double range = knots.back() - knots.front();
    for (size_t i = 1; i < knots.size(); ++i) {
        if (knots[i] >= knots[i - 1])
            continue;
        if (knots[i - 1] - knots[i] > kKnotRounding * std::abs(range))
            return false;
        knots[i] = knots[i - 1];
    }
    return true;
}

bool WeightsUsable(const std::vector<double>& weights, size_t count) {
    return weights.empty() ||
           (weights.size() == count && std::all_of(weights.begin(), weights.end(), [](double w) {
                return std::isfinite(w) && w > 0;
            }));
}

} // namespace

std::optional<TNurbs> PrepareNurbs(const TSplineCurve& spline) {
    const int p = spline.degree;
    std::vector<TPoint2D> points = spline.controlPoints;
    if (p < 1 || p > kMaxDegree || points.size() < static_cast<size_t>(p) + 1 ||
        !std::all_of(points.begin(), points.end(), IsFinite) || !AllFinite(spline.knots) ||
        !WeightsUsable(spline.weights, points.size()))
        return std::nullopt;
    TNurbs nurbs;
    nurbs.degree = p;
    nurbs.weights =
        spline.weights.empty() ? std::vector<double>(points.size(), 1.0) : spline.weights;
    WrapIfShort(spline, nurbs, points);
    nurbs.knots = spline.knots;
    if (nurbs.knots.size() != points.size() + p + 1 || !SortKnots(nurbs.knots))
        return std::nullopt;
    nurbs.lo = nurbs.knots[p];
    nurbs.hi = nurbs.knots[points.size()];
    if (!(nurbs.lo < nurbs.hi))
        return std::nullopt;
    TPoint2D low = points.front(), high = low;
    for (size_t i = 0; i < points.size(); ++i) {
        nurbs.weighted.push_back(nurbs.weights[i] * points[i]);
        low = TPoint2D(std::min(low.X, points[i].X), std::min(low.Y, points[i].Y));
        high = TPoint2D(std::max(high.X, points[i].X), std::max(high.Y, points[i].Y));
    }
    nurbs.size = Distance(low, high);
    return nurbs;
}

size_t TNurbsCurve::Span(double t, bool fromBelow) const {
    const std::vector<double>& u = nurbs_.knots;
    const auto first = u.begin() + nurbs_.degree;
    const auto last = u.begin() + static_cast<long>(nurbs_.weighted.size()) + 1;
    // The span [u_s, u_s+1) holding t, or (u_s, u_s+1] from below; at the ends, the nearest
    // span of non-zero length.
    if (t >= nurbs_.hi)
        t = nurbs_.hi, fromBelow = true;
    if (t <= nurbs_.lo)
        t = nurbs_.lo, fromBelow = false;
    const auto bound =
        fromBelow ? std::lower_bound(first, last, t) : std::upper_bound(first, last, t);
    return static_cast<size_t>(bound - u.begin()) - 1;
}

TCurveSample TNurbsCurve::Evaluate(double t, bool fromBelow) const {
    const std::vector<double>& u = nurbs_.knots;
    const int p = nurbs_.degree;
    const size_t s = Span(t, fromBelow);
    t = std::clamp(t, nurbs_.lo, nurbs_.hi);
    // Basis functions of degree p - 1 on the span: lower[r] = N(s - p + 1 + r, p - 1).
    TBasis lower, left, right; // only the first p entries are used, each set before it is read
    lower[0] = 1;
    for (int j = 1; j < p; ++j) {
        left[j] = t - u[s + 1 - j];
        right[j] = u[s + j] - t;
        double saved = 0;
        for (int r = 0; r < j; ++r) {
            const double share = lower[r] / (right[r + 1] + left[j - r]);
            lower[r] = saved + right[r + 1] * share;
            saved = left[j - r] * share;
        }
        lower[j] = saved;
    }
    // One step up to degree p, with the derivative from the same lower-degree functions.
    TPoint2D sum, sumSlope;
    double weight = 0, weightSlope = 0;
    for (int k = 0; k <= p; ++k) {
        const size_t i = s - p + k;
        const double below = k >= 1 ? lower[k - 1] : 0.0; // N(i, p - 1)
        const double above = k < p ? lower[k] : 0.0;      // N(i + 1, p - 1)
        const double spanLow = u[i + p] - u[i];
        const double spanHigh = u[i + p + 1] - u[i + 1];
        const double a = spanLow > 0 ? below / spanLow : 0.0;
        const double b = spanHigh > 0 ? above / spanHigh : 0.0;
        const double value = (t - u[i]) * a + (u[i + p + 1] - t) * b;
        const double slope = p * (a - b);
        sum = sum + value * nurbs_.weighted[i];
        sumSlope = sumSlope + slope * nurbs_.weighted[i];
        weight += value * nurbs_.weights[i];
        weightSlope += slope * nurbs_.weights[i];
    }
    const TPoint2D point = (1 / weight) * sum;
    return {point, (1 / weight) * (sumSlope - weightSlope * point)};
}

int TNurbsCurve::PiecesBetween(double a, double b) const {
    const std::vector<double>& u = nurbs_.knots;
    const auto inside =
        std::lower_bound(u.begin(), u.end(), b) - std::upper_bound(u.begin(), u.end(), a);
    return 1 + static_cast<int>(std::max<long>(0, inside));
}

std::vector<double> TNurbsCurve::InteriorKnots() const {
    std::vector<double> knots;
    for (double k : nurbs_.knots)
        if (k > nurbs_.lo && k < nurbs_.hi && (knots.empty() || k > knots.back()))
            knots.push_back(k);
    return knots;
}

} // namespace quillform::detail
