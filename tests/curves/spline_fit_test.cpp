// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "curves/curve_oracle.h"
#include "expand/curves/spline_fit.h"
#include "expand/curves/spline_interpolation.h"
#include "model/geometry_constants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>
#include <string>

using namespace quillform::detail;

namespace {

const double kTolerances[] = {0.1, 0.01, 0.001};
const double kW = std::sqrt(0.5);

struct TCircle {
    TPoint2D center;
    double radius, sweep;
};

struct SplineCase {
    std::string name;
    TSplineCurve spline;
    bool closed;
    std::vector<TPoint2D> corners;
    std::optional<TCircle> circle;
};

TSplineCurve Spline(int degree, std::vector<TPoint2D> points, std::vector<double> knots,
                    std::vector<double> weights = {}) {
    TSplineCurve s;
    s.degree = degree;
    s.controlPoints = std::move(points);
    s.knots = std::move(knots);
    s.weights = std::move(weights);
    return s;
}

TSplineCurve FitPoints(std::vector<TPoint2D> points, bool closed,
                       std::optional<TPoint2D> start = {}, std::optional<TPoint2D> end = {}) {
    TSplineCurve s;
    s.fitPoints = std::move(points);
    s.closed = closed;
    s.startTangent = start;
    s.endTangent = end;
    return s;
}

TSplineCurve Periodic(TSplineCurve s) {
    s.closed = s.periodic = true;
    return s;
}

void PrintTo(const SplineCase& c, std::ostream* os) {
    *os << c.name;
}

const SplineCase kSplines[] = {
    {"degree2",
     Spline(2, {{0, 0}, {4, 6}, {9, 7}, {12, 1}, {16, 3}, {20, 0}}, {0, 0, 0, 1, 2.5, 3, 5, 5, 5}),
     false,
     {},
     {}},
    {"degree3",
     Spline(3, {{0, 0}, {2, 5}, {6, 8}, {10, 2}, {14, 9}, {18, 4}, {20, 0}},
            {0, 0, 0, 0, 0.1, 0.45, 0.5, 1, 1, 1, 1}),
     false,
     {},
     {}},
    {"degree5",
     Spline(5, {{0, 0}, {1, 4}, {4, 6}, {7, 2}, {9, 8}, {12, 5}, {15, 9}, {18, 0}},
            {0, 0, 0, 0, 0, 0, 1, 2, 3, 3, 3, 3, 3, 3}),
     false,
     {},
     {}},
    {"rational_cubic",
     Spline(3, {{0, 0}, {3, 7}, {8, 9}, {12, 1}, {17, 6}}, {0, 0, 0, 0, 2, 3, 3, 3, 3},
            {1, 3.5, 0.4, 2, 1}),
     false,
     {},
     {}},
    {"rational_circle",
     Spline(2, {{5, 0}, {5, 5}, {0, 5}, {-5, 5}, {-5, 0}, {-5, -5}, {0, -5}, {5, -5}, {5, 0}},
            {0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 4}, {1, kW, 1, kW, 1, kW, 1, kW, 1}),
     true,
     {},
     TCircle{{0, 0}, 5, 2 * kPi}},
    {"rational_quarter_circle",
     Spline(2, {{8, 3}, {8, 7}, {4, 7}}, {0, 0, 0, 1, 1, 1}, {1, kW, 1}),
     false,
     {},
     TCircle{{4, 3}, 4, kHalfPi}},
    // Wrapped control points over unclamped uniform knots, as ezdxf and LibreCAD write them.
    {"periodic_wrapped",
     Periodic(Spline(
         3, {{0, 0}, {10, -2}, {14, 6}, {9, 12}, {2, 11}, {-3, 5}, {0, 0}, {10, -2}, {14, 6}},
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})),
     true,
     {},
     {}},
    // Clamped knots, the last control point on the first, as AutoCAD writes them; the legs at
    // the seam lie on one line, so the seam is smooth.
    {"periodic_clamped",
     Periodic(Spline(3, {{0, 0}, {4, -2}, {12, 0}, {14, 8}, {6, 12}, {-2, 8}, {-4, 2}, {0, 0}},
                     {0, 0, 0, 0, 1, 2, 3, 4, 5, 5, 5, 5})),
     true,
     {},
     {}},
    {"kink",
     Spline(3, {{0, 0}, {3, 4}, {6, 5}, {8, 2}, {10, 6}, {13, 7}, {16, 3}},
            {0, 0, 0, 0, 1, 1, 1, 2, 2, 2, 2}),
     false,
     {{8, 2}},
     {}},
    {"bezier_knots_smooth",
     Spline(3, {{0, 0}, {2, 3}, {5, 4}, {8, 4}, {11, 4}, {13, 1}, {12, -2}},
            {0, 0, 0, 0, 1, 1, 1, 2, 2, 2, 2}),
     false,
     {},
     {}},
    {"polyline_closed",
     Spline(1, {{0, 0}, {5, 0}, {10, 0}, {10, 5}, {4, 8}, {0, 0}}, {0, 0, 1, 2, 3, 4, 5, 5}),
     true,
     {{10, 0}, {10, 5}, {4, 8}, {0, 0}},
     {}},
    {"straight_start",
     Spline(3, {{0, 0}, {5, 0}, {10, 0}, {15, 0}, {20, 0}, {25, 5}, {30, 0}},
            {0, 0, 0, 0, 1, 2, 3, 4, 4, 4, 4}),
     false,
     {},
     {}},
    {"fit_natural",
     FitPoints({{0, 0}, {3, 4}, {7, 3}, {10, 8}, {14, 2}, {18, 5}}, false),
     false,
     {},
     {}},
    {"fit_tangents",
     FitPoints({{0, 0}, {3, 4}, {7, 3}, {10, 8}, {14, 2}}, false, TPoint2D(0, 1), TPoint2D(1, -1)),
     false,
     {},
     {}},
    {"fit_closed", FitPoints({{0, 0}, {8, -1}, {11, 6}, {4, 9}, {-2, 5}}, true), true, {}, {}},
};

class SplineFit : public testing::TestWithParam<SplineCase> {};

TTrueCurve Truth(const TSplineCurve& s) {
    return TrueSpline(s.controlPoints.empty() ? SplineFromFitPoints(s) : s);
}

TEST_P(SplineFit, FaithfulAtEveryTolerance) {
    const SplineCase& c = GetParam();
    for (double tolerance : kTolerances) {
        const std::string name = c.name + " at " + std::to_string(tolerance);
        const TFittedChain chain = FitSpline(c.spline, tolerance);
        double oracle = 0;
        ExpectFaithfulChain(chain, {name, Truth(c.spline), c.closed, c.corners}, tolerance,
                            &oracle);
        // The library's own measure agrees with the oracle's (once: it is slow on long chains).
        if (tolerance == kTolerances[0]) {
            EXPECT_NEAR(SplineDeviation(chain, c.spline), oracle, 0.03 * tolerance) << name;
        }
        if (c.circle)
            ExpectArcsOfCircle(chain, c.circle->center, c.circle->radius, c.circle->sweep, name);
    }
}

TEST_P(SplineFit, FarFewerEdgesThanAFlattening) {
    const SplineCase& c = GetParam();
    const double tolerance = 0.0001;
    const TFittedChain chain = FitSpline(c.spline, tolerance);
    const double chords = FlatteningCount(SampleTrue(Truth(c.spline), 6000), tolerance);
    EXPECT_LE(static_cast<double>(chain.size()), chords / 2 + 4 + c.corners.size()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Curves, SplineFit, testing::ValuesIn(kSplines),
                         [](const testing::TestParamInfo<SplineCase>& info) {
                             return info.param.name;
                         });

TEST(SplineFit, StraightStretchesAreSingleLines) {
    const TFittedChain polyline = FitSpline(kSplines[10].spline, 0.01);
    ASSERT_EQ(polyline.size(), 4u);
    for (const TFittedEdge& edge : polyline)
        EXPECT_FALSE(edge.isArc);
    // The first two spans of this cubic lie on the x axis (four control points in a row).
    const TSplineCurve& straight = kSplines[11].spline;
    const TPoint2D endOfLine = TrueSpline(straight).point(2);
    const TFittedChain chain = FitSpline(straight, 0.01);
    ASSERT_FALSE(chain.empty());
    EXPECT_FALSE(chain[0].isArc);
    EXPECT_GE(chain[0].end.X, endOfLine.X - 1e-9);
    for (size_t i = 1; i < chain.size(); ++i)
        EXPECT_FALSE(!chain[i].isArc && chain[i].start.Y == 0 && chain[i].end.Y == 0) << i;
}

TEST(SplineDeviation, SeesAMissingAndAStrayEdge) {
    const TSplineCurve& s = kSplines[1].spline;
    TFittedChain chain = FitSpline(s, 0.01);
    ASSERT_LE(SplineDeviation(chain, s), 0.01);
    EXPECT_GT(SplineDeviation(TFittedChain(chain.begin(), chain.end() - 1), s), 0.02);
    TFittedEdge& stray = chain[chain.size() / 2];
    for (TPoint2D* p : {&stray.start, &stray.end, &stray.center})
        p->Y += 0.2;
    EXPECT_GT(SplineDeviation(chain, s), 0.05);
}

} // namespace
