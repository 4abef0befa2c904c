// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The cubic through fit points, found as the slopes of a piecewise cubic Hermite curve that is
// curvature continuous at every fit point (one tridiagonal system, cyclic when closed), then
// written as a clamped B-spline with a simple knot at every fit point.
#include "expand/curves/spline_interpolation.h"
#include "expand/curves/plane_math.h"

#include <algorithm>
#include <cmath>

namespace quillform::detail {

using namespace curve_math;

namespace {

// Row i of a tridiagonal system: below * m[i-1] + diagonal * m[i] + above * m[i+1] = rhs.
struct TRow {
    double below = 0, diagonal = 1, above = 0;
    TPoint2D rhs;
};

std::vector<TPoint2D> DistinctPoints(const TSplineCurve& spline) {
    std::vector<TPoint2D> points;
    if (!std::all_of(spline.fitPoints.begin(), spline.fitPoints.end(), IsFinite))
        return points;
    for (const TPoint2D& p : spline.fitPoints)
        if (points.empty() || Distance(points.back(), p) > 0)
            points.push_back(p);
    const bool closed = spline.closed || spline.periodic;
    if (closed && points.size() >= 3 && Distance(points.front(), points.back()) > 0)
        points.push_back(points.front());
    return points;
}

// Chord lengths scaled to [0, 1]: params[i] at fit point i.
std::vector<double> ChordParams(const std::vector<TPoint2D>& points) {
    std::vector<double> params{0};
    for (size_t i = 1; i < points.size(); ++i)
        params.push_back(params.back() + Distance(points[i - 1], points[i]));
    const double total = params.back();
    for (double& t : params)
        t /= total;
    params.back() = 1;
    return params;
}

// The continuity of curvature at interior fit point i, in the slopes m[i-1], m[i], m[i+1]
// (h: parameter steps, d: chord slopes).
TRow InteriorRow(const std::vector<double>& h, const std::vector<TPoint2D>& d, size_t before,
                 size_t after) {
    return {h[after], 2 * (h[before] + h[after]), h[before],
            3 * (h[after] * d[before] + h[before] * d[after])};
}

std::vector<TPoint2D> SolveTridiagonal(std::vector<TRow> rows) {
    const size_t n = rows.size();
    for (size_t i = 1; i < n; ++i) {
        const double f = rows[i].below / rows[i - 1].diagonal;
        rows[i].diagonal -= f * rows[i - 1].above;
        rows[i].rhs = rows[i].rhs - f * rows[i - 1].rhs;
    }
    std::vector<TPoint2D> m(n);
    m[n - 1] = (1 / rows[n - 1].diagonal) * rows[n - 1].rhs;
    for (size_t i = n - 1; i-- > 0;)
        m[i] = (1 / rows[i].diagonal) * (rows[i].rhs - rows[i].above * m[i + 1]);
    return m;
}

// Cyclic tridiagonal (row 0 reaches back to the last unknown, the last row on to the first),
// by Sherman-Morrison: two plain solves. The rows are diagonally dominant, so no pivoting.
std::vector<TPoint2D> SolveCyclic(std::vector<TRow> rows) {
    const size_t n = rows.size();
    const double corner = rows[0].below, back = rows[n - 1].above;
    const double gamma = -rows[0].diagonal;
    rows[0].diagonal -= gamma;
    rows[n - 1].diagonal -= back * corner / gamma;
    rows[0].below = rows[n - 1].above = 0;
    const std::vector<TPoint2D> x = SolveTridiagonal(rows);
    // The correction vector solves the same matrix for (gamma, 0, ..., corner) in both axes.
    for (TRow& row : rows)
        row.rhs = TPoint2D();
    rows[0].rhs = TPoint2D(gamma, gamma);
    rows[n - 1].rhs = TPoint2D(back, back);
    const std::vector<TPoint2D> z = SolveTridiagonal(rows);
    const double zx = z[0].X + corner / gamma * z[n - 1].X;
    const TPoint2D factor((x[0].X + corner / gamma * x[n - 1].X) / (1 + zx),
                          (x[0].Y + corner / gamma * x[n - 1].Y) / (1 + zx));
    std::vector<TPoint2D> m(n);
    for (size_t i = 0; i < n; ++i)
        m[i] = TPoint2D(x[i].X - factor.X * z[i].X, x[i].Y - factor.Y * z[i].Y);
    return m;
}

// The end row for the slope at fit point `at`: the given direction, scaled to the whole chord
// length (the parameter runs over [0, 1]), or no bending (natural end).
TRow EndRow(const std::optional<TPoint2D>& tangent, double total, TPoint2D chordSlope,
            bool atStart) {
    if (tangent && IsFinite(*tangent) && Length(*tangent) > 0)
        return {0, 1, 0, total * Unit(*tangent)};
    return atStart ? TRow{0, 2, 1, 3 * chordSlope} : TRow{1, 2, 0, 3 * chordSlope};
}

std::vector<TPoint2D> Slopes(const TSplineCurve& spline, const std::vector<double>& h,
                             const std::vector<TPoint2D>& d, bool closed, double total) {
    const size_t n = h.size();
    std::vector<TRow> rows;
    if (closed) {
        for (size_t i = 0; i < n; ++i)
            rows.push_back(InteriorRow(h, d, (i + n - 1) % n, i));
        std::vector<TPoint2D> m = SolveCyclic(rows);
        m.push_back(m.front());
        return m;
    }
    rows.push_back(EndRow(spline.startTangent, total, d.front(), true));
    for (size_t i = 1; i < n; ++i)
        rows.push_back(InteriorRow(h, d, i - 1, i));
    rows.push_back(EndRow(spline.endTangent, total, d.back(), false));
    return SolveTridiagonal(rows);
}

// Each cubic piece's inner Bezier points lie on one leg of the control polygon, cutting it in
// the ratio of the neighbouring parameter steps: so each leg's start follows from them.
std::vector<TPoint2D> ControlPoints(const std::vector<TPoint2D>& points,
                                    const std::vector<double>& h, const std::vector<TPoint2D>& m) {
    const size_t n = h.size();
    std::vector<TPoint2D> control{points.front()};
    for (size_t i = 0; i < n; ++i) {
        const TPoint2D inner1 = points[i] + (h[i] / 3) * m[i];
        const TPoint2D inner2 = points[i + 1] - (h[i] / 3) * m[i + 1];
        const double before = i > 0 ? h[i - 1] : 0.0;
        control.push_back(inner1 - (before / h[i]) * (inner2 - inner1));
        if (i + 1 == n)
            control.push_back(inner2);
    }
    control.push_back(points.back());
    return control;
}

} // namespace

TSplineCurve SplineFromFitPoints(const TSplineCurve& spline) {
    TSplineCurve result;
    result.closed = spline.closed;
    result.periodic = spline.periodic;
    result.degree = 3;
    const std::vector<TPoint2D> points = DistinctPoints(spline);
    if (points.size() < 2)
        return result;
    const std::vector<double> params = ChordParams(points);
    std::vector<double> h;
    std::vector<TPoint2D> d;
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        h.push_back(params[i + 1] - params[i]);
        d.push_back((1 / h.back()) * (points[i + 1] - points[i]));
    }
    const bool closed = (spline.closed || spline.periodic) && points.size() >= 4;
    double total = 0;
    for (size_t i = 0; i + 1 < points.size(); ++i)
        total += Distance(points[i], points[i + 1]);
    const std::vector<TPoint2D> m = Slopes(spline, h, d, closed, total);
    result.controlPoints = ControlPoints(points, h, m);
    result.knots = {0, 0, 0, 0};
    result.knots.insert(result.knots.end(), params.begin() + 1, params.end() - 1);
    result.knots.insert(result.knots.end(), {1, 1, 1, 1});
    return result;
}

} // namespace quillform::detail
