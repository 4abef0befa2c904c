// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "curves/curve_oracle.h"
#include "expand/curves/ellipse_arc.h"
#include "expand/curves/spline_fit.h"
#include "expand/curves/spline_interpolation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

using namespace quillform::detail;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double Dist(TPoint2D a, TPoint2D b) {
    return std::hypot(a.X - b.X, a.Y - b.Y);
}
TPoint2D Sub(TPoint2D a, TPoint2D b) {
    return {a.X - b.X, a.Y - b.Y};
}
TPoint2D Mul(double s, TPoint2D a) {
    return {s * a.X, s * a.Y};
}

// Second derivative at the start of a clamped cubic, from its first three control points:
// 6 / u4 * ((D2 - D1) / u5 - (D1 - D0) / u4), knots counted from the start.
TPoint2D StartBending(const std::vector<TPoint2D>& d, const std::vector<double>& u) {
    const double u4 = u[4] - u[0], u5 = u[5] - u[0];
    const TPoint2D a = Mul(1 / u5, Sub(d[2], d[1])), b = Mul(1 / u4, Sub(d[1], d[0]));
    return Mul(6 / u4, Sub(a, b));
}

TSplineCurve Reversed(const TSplineCurve& s) {
    TSplineCurve r = s;
    r.controlPoints.assign(s.controlPoints.rbegin(), s.controlPoints.rend());
    for (size_t i = 0; i < s.knots.size(); ++i)
        r.knots[i] = s.knots.back() - s.knots[s.knots.size() - 1 - i];
    return r;
}

struct FitPointCase {
    std::string name;
    std::vector<TPoint2D> points;
    bool closed;
};

void PrintTo(const FitPointCase& c, std::ostream* os) {
    *os << c.name;
}

const FitPointCase kFitPoints[] = {
    {"two_points", {{1, 1}, {5, 3}}, false},
    {"uneven_spacing", {{0, 0}, {0.5, 0.2}, {7, 3}, {7.4, 3.5}, {14, -2}}, false},
    {"repeated_point", {{0, 0}, {3, 4}, {3, 4}, {7, 3}, {10, 8}}, false},
    {"closed_five", {{0, 0}, {8, -1}, {11, 6}, {4, 9}, {-2, 5}}, true},
    {"closed_written_twice", {{0, 0}, {8, -1}, {11, 6}, {4, 9}, {0, 0}}, true},
};

class FitPointSpline : public testing::TestWithParam<FitPointCase> {};

TEST_P(FitPointSpline, PassesThroughEveryPointAndBendsNaturally) {
    const FitPointCase& c = GetParam();
    TSplineCurve input;
    input.fitPoints = c.points;
    input.closed = c.closed;
    const TSplineCurve s = SplineFromFitPoints(input);
    ASSERT_EQ(s.degree, 3) << c.name;
    ASSERT_EQ(s.knots.size(), s.controlPoints.size() + 4) << c.name;
    const TTrueCurve curve = TrueSpline(s);
    // Fit point k sits at knot k + 3 (repeats counted once).
    size_t k = 3;
    for (size_t i = 0; i < c.points.size(); ++i) {
        if (i > 0 && Dist(c.points[i], c.points[i - 1]) == 0)
            continue;
        const double t = k < s.knots.size() - 3 ? s.knots[k] : 1.0;
        EXPECT_LE(Dist(curve.point(t), c.points[i]), 1e-9) << c.name << " fit point " << i;
        ++k;
    }
    const TPoint2D startBend = StartBending(s.controlPoints, s.knots);
    const TPoint2D endBend = StartBending(Reversed(s).controlPoints, Reversed(s).knots);
    if (!c.closed) {
        EXPECT_LE(std::hypot(startBend.X, startBend.Y), 1e-6) << c.name;
        EXPECT_LE(std::hypot(endBend.X, endBend.Y), 1e-6) << c.name;
        return;
    }
    // Closed: the seam is smooth to the second derivative (the reversed end bends the same).
    EXPECT_LE(Dist(curve.point(0), curve.point(1)), 1e-9) << c.name;
    const TPoint2D leave = Mul(1 / s.knots[4], Sub(s.controlPoints[1], s.controlPoints[0]));
    const size_t n = s.controlPoints.size();
    const TPoint2D arrive =
        Mul(1 / (1 - s.knots[n - 1]), Sub(s.controlPoints[n - 1], s.controlPoints[n - 2]));
    EXPECT_LE(Dist(leave, arrive), 1e-9 * std::hypot(leave.X, leave.Y)) << c.name;
    EXPECT_LE(Dist(startBend, endBend), 1e-6 * std::hypot(startBend.X, startBend.Y)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Curves, FitPointSpline, testing::ValuesIn(kFitPoints),
                         [](const testing::TestParamInfo<FitPointCase>& info) {
                             return info.param.name;
                         });

// What files hold: each case either fits (a sound chain) or gives nothing, and never crashes.
struct BadInputCase {
    std::string name;
    TSplineCurve spline;
    bool fits;
};

TSplineCurve Cubic(std::vector<TPoint2D> points, std::vector<double> knots,
                   std::vector<double> weights = {}, int degree = 3) {
    TSplineCurve s;
    s.degree = degree;
    s.controlPoints = std::move(points);
    s.knots = std::move(knots);
    s.weights = std::move(weights);
    return s;
}

const std::vector<TPoint2D> kFive = {{0, 0}, {3, 4}, {6, 5}, {9, 1}, {12, 3}};
const std::vector<double> kFiveKnots = {0, 0, 0, 0, 1, 2, 2, 2, 2};

TSplineCurve WithFlags(TSplineCurve s) {
    s.closed = s.periodic = true;
    return s;
}

TSplineCurve FitOnly(std::vector<TPoint2D> points) {
    TSplineCurve s;
    s.fitPoints = std::move(points);
    return s;
}

void PrintTo(const BadInputCase& c, std::ostream* os) {
    *os << c.name;
}

const BadInputCase kBadInputs[] = {
    {"sound", Cubic(kFive, kFiveKnots), true},
    {"degree_zero", Cubic(kFive, {0, 1, 2, 3, 4, 5}, {}, 0), false},
    {"degree_above_points", Cubic(kFive, {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1}, {}, 5), false},
    {"huge_degree", Cubic(kFive, kFiveKnots, {}, 1 << 30), false},
    {"too_few_knots", Cubic(kFive, {0, 0, 0, 0, 1, 1, 1, 1}), false},
    {"too_many_knots", Cubic(kFive, {0, 0, 0, 0, 1, 2, 2, 2, 2, 2}), false},
    {"no_knots", Cubic(kFive, {}), false},
    {"decreasing_knots", Cubic(kFive, {0, 0, 0, 0, 2, 1, 2, 2, 2}), false},
    {"knot_rounding", Cubic(kFive, {0, 0, 0, 0, 1, 1 - 1e-15, 2, 2, 2}), true},
    {"all_knots_equal", Cubic(kFive, {1, 1, 1, 1, 1, 1, 1, 1, 1}), false},
    {"nan_point", Cubic({{0, 0}, {3, kNaN}, {6, 5}, {9, 1}, {12, 3}}, kFiveKnots), false},
    {"infinite_knot", Cubic(kFive, {0, 0, 0, 0, HUGE_VAL, 2, 2, 2, 2}), false},
    {"zero_weight", Cubic(kFive, kFiveKnots, {1, 0, 1, 1, 1}), false},
    {"negative_weight", Cubic(kFive, kFiveKnots, {1, -2, 1, 1, 1}), false},
    {"weights_short", Cubic(kFive, kFiveKnots, {1, 1, 1}), false},
    {"all_points_equal", Cubic({{2, 2}, {2, 2}, {2, 2}, {2, 2}, {2, 2}}, kFiveKnots), false},
    {"jump_at_knot",
     Cubic({{0, 0}, {1, 1}, {2, 0}, {3, 1}, {7, 7}, {8, 8}, {9, 7}, {10, 9}},
           {0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2}),
     false},
    {"touching_at_knot",
     Cubic({{0, 0}, {1, 1}, {2, 0}, {3, 1}, {3, 1}, {8, 8}, {9, 7}, {10, 9}},
           {0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2}),
     true},
    {"repeated_control_points", Cubic({{0, 0}, {3, 4}, {3, 4}, {3, 4}, {12, 3}}, kFiveKnots), true},
    {"closed_unwrapped",
     WithFlags(Cubic({{0, 0}, {10, -2}, {14, 6}, {9, 12}, {2, 11}, {-3, 5}},
                     {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})),
     true},
    {"fit_single_point", FitOnly({{1, 1}}), false},
    {"fit_all_equal", FitOnly({{1, 1}, {1, 1}, {1, 1}}), false},
    {"fit_nan", FitOnly({{0, 0}, {kNaN, 1}, {3, 3}}), false},
};

class SplineInput : public testing::TestWithParam<BadInputCase> {};

TEST_P(SplineInput, FitsSoundlyOrGivesNothing) {
    const BadInputCase& c = GetParam();
    for (double tolerance : {0.01, 0.0, -1.0, kNaN, HUGE_VAL}) {
        const TFittedChain chain = FitSpline(c.spline, tolerance);
        EXPECT_EQ(!chain.empty(), c.fits) << c.name << " at tolerance " << tolerance;
        if (chain.empty())
            continue;
        // Unusable tolerances fall back to the finest: measuring that chain would be slow.
        if (tolerance == 0.01) {
            EXPECT_LE(SplineDeviation(chain, c.spline), tolerance) << c.name;
        }
        for (size_t i = 1; i < chain.size(); ++i)
            ASSERT_TRUE(chain[i - 1].end.X == chain[i].start.X &&
                        chain[i - 1].end.Y == chain[i].start.Y)
                << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Curves, SplineInput, testing::ValuesIn(kBadInputs),
                         [](const testing::TestParamInfo<BadInputCase>& info) {
                             return info.param.name;
                         });

TEST(EllipseInput, UnusableEllipsesGiveNothing) {
    TEllipseArc e;
    e.majorAxis = {5, 0};
    EXPECT_FALSE(FitEllipse(e, 0.01).empty());
    for (double tolerance : {0.0, -1.0, kNaN, HUGE_VAL})
        EXPECT_LE(EllipseDeviation(FitEllipse(e, tolerance), e), 5.0) << tolerance;
    TEllipseArc bad = e;
    bad.ratio = 0;
    EXPECT_TRUE(FitEllipse(bad, 0.01).empty());
    bad.ratio = -0.5;
    EXPECT_TRUE(FitEllipse(bad, 0.01).empty());
    bad = e;
    bad.majorAxis = {0, 0};
    EXPECT_TRUE(FitEllipse(bad, 0.01).empty());
    bad = e;
    bad.endParam = kNaN;
    EXPECT_TRUE(FitEllipse(bad, 0.01).empty());
    bad = e;
    bad.center.X = HUGE_VAL;
    EXPECT_TRUE(FitEllipse(bad, 0.01).empty());
}

} // namespace
