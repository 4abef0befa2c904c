// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/geometry.h"
#include "quillform/shape_records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

using namespace quillform::detail;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kTol = 1e-6;

TArc MakeArc(double cx, double cy, double r, double start, double end, bool clockwise) {
    TArc arc;
    arc.IsArc = 1;
    arc.Clockwise = clockwise ? 1 : 0;
    arc.CenterX = cx;
    arc.CenterY = cy;
    arc.Radius = r;
    arc.StartAngle = start;
    arc.EndAngle = end;
    arc.StartX = cx + r * std::cos(start * kPi / 180);
    arc.StartY = cy + r * std::sin(start * kPi / 180);
    arc.EndX = cx + r * std::cos(end * kPi / 180);
    arc.EndY = cy + r * std::sin(end * kPi / 180);
    arc.UpdateSweep(kTol);
    return arc;
}

struct CompareCase {
    double a, b, t;
    int expected;
};

TEST(ToleranceCompare, Table) {
    const CompareCase cases[] = {
        {1.0, 1.0 + 5e-7, 1e-6, 0}, {1.0, 1.0 + 5e-7, 0, -1}, {1e15, 1e15 + 0.5, 0, 0},
        {2.0, 1.0, 1e-6, 1},        {1.0, 2.0, 1e-6, -1},     {0.0, 1e-13, 0, 0},
        {kNaN, 1.0, 1e-6, 1},       {1.0, kNaN, 1e-6, 1},     {kNaN, kNaN, 0, 1},
    };
    for (const CompareCase& c : cases)
        EXPECT_EQ(ToleranceCompare(c.a, c.b, c.t), c.expected) << c.a << " vs " << c.b;
    EXPECT_FALSE(ToleranceEqual(kNaN, kNaN, 1));
}

struct AngleCase {
    double x, y, r, expected;
};

TEST(AngleOfPoint, Table) {
    const AngleCase cases[] = {
        {1, 0, 1, 0},
        {0, 1, 1, 90},
        {-1, 0, 1, 180},
        {0, -1, 1, 270},
        {-1, -1e-9, 1, 180},
        {1, 1, 1, 90}, // outside the radius: clamped, not renormalised
        {std::sqrt(0.5), -std::sqrt(0.5), 1, 315},
        {-std::sqrt(0.5), -std::sqrt(0.5), 1, 225},
    };
    for (const AngleCase& c : cases)
        EXPECT_NEAR(AngleOfPoint(TPoint2D(c.x, c.y), TPoint2D(), c.r, kTol), c.expected, 1e-9)
            << c.x << ", " << c.y;
}

// Degrees are (radians * 180) / pi, rounded in that order; multiplying by a
// rounded 180 / pi gives the neighbouring double for these points. Expected
// values from IEEE double arithmetic done independently (Python).
TEST(AngleOfPoint, DegreesRoundAsRadiansTimes180OverPi) {
    const AngleCase cases[] = {
        {3, 4, 5, 53.13010235415598},     // not 53.13010235415599
        {3, -4, 5, 306.86989764584405},   // not 306.869897645844
        {-7, 24, 25, 106.26020470831196}, // not 106.26020470831197
        {-24, -7, 25, 196.260204708312},  // not 196.26020470831196
    };
    for (const AngleCase& c : cases)
        EXPECT_EQ(AngleOfPoint(TPoint2D(c.x, c.y), TPoint2D(), c.r, kTol), c.expected)
            << c.x << ", " << c.y;
}

TEST(AngleOfPoint, ZeroRadiusAndNaNGiveNoAngle) {
    EXPECT_TRUE(std::isnan(AngleOfPoint(TPoint2D(1, 0), TPoint2D(), 0, kTol)));
    EXPECT_TRUE(std::isnan(AngleOfPoint(TPoint2D(kNaN, 0), TPoint2D(), 1, kTol)));
    EXPECT_TRUE(std::isnan(AngleOfPoint(TPoint2D(1, 0), TPoint2D(0, kNaN), 1, kTol)));
}

struct SweepCase {
    double start, end;
    bool clockwise;
    double expected;
};

TEST(ArcUpdateSweep, Table) {
    const SweepCase cases[] = {
        {350, 10, false, 20},
        {10, 350, true, 20},
        {10, 350, false, 340},
        {45, 45 + 5e-7, false, 360 + 5e-7},
        {45, 45 + 5e-7, true, 360 - 5e-7},
        {90, 90, true, 360},
    };
    for (const SweepCase& c : cases) {
        TArc arc;
        arc.StartAngle = c.start;
        arc.EndAngle = c.end;
        arc.Clockwise = c.clockwise;
        arc.UpdateSweep(kTol);
        EXPECT_NEAR(arc.Sweep, c.expected, 1e-12) << c.start << "->" << c.end;
    }
}

TEST(ArcUpdateAngles, FromEndPoints) {
    TArc arc;
    arc.Radius = 2;
    arc.CenterX = 1;
    arc.StartX = 3; // 0 degrees
    arc.EndX = 1;
    arc.EndY = -2; // 270 degrees
    arc.Clockwise = 1;
    arc.UpdateAngles(kTol);
    EXPECT_NEAR(arc.StartAngle, 0, 1e-12);
    EXPECT_NEAR(arc.EndAngle, 270, 1e-12);
    EXPECT_NEAR(arc.Sweep, 90, 1e-12);
}

TEST(AngleInArcRange, WrapAroundBothDirections) {
    TArc ccw, cw;
    cw.Clockwise = 1;
    for (double a : {0.0, 10.0, 300.0, 359.0}) {
        EXPECT_TRUE(AngleInArcRange(ccw, 300, 30, a, kTol)) << a;
        EXPECT_TRUE(AngleInArcRange(cw, 30, 300, a, kTol)) << a;
    }
    for (double a : {31.0, 299.0}) {
        EXPECT_FALSE(AngleInArcRange(ccw, 300, 30, a, kTol)) << a;
        EXPECT_FALSE(AngleInArcRange(cw, 30, 300, a, kTol)) << a;
    }
    EXPECT_TRUE(AngleInArcRange(ccw, 45, 45, 200, kTol)); // equal ends: full circle
    EXPECT_FALSE(AngleInArcRange(ccw, 300, 30, kNaN, kTol));
    EXPECT_FALSE(AngleInArcRange(ccw, kNaN, 30, 10, kTol));
}

TEST(PointInSegmentBox, Table) {
    const TPoint2D o(0, 0);
    EXPECT_TRUE(PointInSegmentBox(TPoint2D(5, 7), o, TPoint2D(10, 0), kTol)); // y ignored
    EXPECT_FALSE(PointInSegmentBox(TPoint2D(11, 0), o, TPoint2D(10, 0), kTol));
    EXPECT_TRUE(PointInSegmentBox(TPoint2D(9, 3), o, TPoint2D(0, 10), kTol)); // x ignored
    EXPECT_TRUE(PointInSegmentBox(TPoint2D(5, 5), o, TPoint2D(10, 10), kTol));
    EXPECT_FALSE(PointInSegmentBox(TPoint2D(5, 11), o, TPoint2D(10, 10), kTol));
    EXPECT_TRUE(PointInSegmentBox(TPoint2D(10 + 5e-7, 0), o, TPoint2D(10, 0), kTol));
    EXPECT_FALSE(PointInSegmentBox(TPoint2D(kNaN, 0), o, TPoint2D(10, 0), kTol));
    EXPECT_FALSE(PointInSegmentBox(TPoint2D(5, 0), o, TPoint2D(kNaN, 0), kTol));
}

struct BoxCase {
    std::string name;
    TArc arc;
    double minX, minY, maxX, maxY;
};

TArc WithAngles(TArc arc, double start, double sweep) {
    arc.StartAngle = start;
    arc.Sweep = sweep;
    return arc;
}

class ArcBox : public testing::TestWithParam<BoxCase> {};

TEST_P(ArcBox, MatchesExpected) {
    const TArc& a = GetParam().arc;
    double minX, minY, maxX, maxY;
    ArcBoundingBox(a, TPoint2D(a.StartX, a.StartY), TPoint2D(a.EndX, a.EndY), minX, minY, maxX,
                   maxY, kTol);
    EXPECT_NEAR(minX, GetParam().minX, 1e-9);
    EXPECT_NEAR(minY, GetParam().minY, 1e-9);
    EXPECT_NEAR(maxX, GetParam().maxX, 1e-9);
    EXPECT_NEAR(maxY, GetParam().maxY, 1e-9);
}

const double kC20 = std::cos(20 * kPi / 180), kS20 = std::sin(20 * kPi / 180);
const double kC10 = std::cos(10 * kPi / 180), kS10 = std::sin(10 * kPi / 180);

INSTANTIATE_TEST_SUITE_P(
    Table, ArcBox,
    testing::Values(BoxCase{"QuarterCounterClockwise", MakeArc(0, 0, 1, 0, 90, false), 0, 0, 1, 1},
                    BoxCase{"Clockwise270", MakeArc(0, 0, 1, 90, 180, true), -1, -1, 1, 1},
                    BoxCase{"CrossingZero", MakeArc(0, 0, 1, 350, 10, false), kC10, -kS10, 1, kS10},
                    // Start 380 (a rotated insert): the crossing of 450 gives max y.
                    BoxCase{"UnreducedStart380",
                            WithAngles(MakeArc(0, 0, 1, 20, 120, false), 380, 100),
                            std::cos(120 * kPi / 180), kS20, kC20, 1},
                    // Start 700: no crossing is tested, only the end points count.
                    BoxCase{"UnreducedStart700",
                            WithAngles(MakeArc(0, 0, 1, 340, 20, false), 700, 40), kC20, -kS20,
                            kC20, kS20},
                    BoxCase{"ZeroRadiusKeepsEndPoints", MakeArc(2, 3, 0, 0, 90, false), 2, 3, 2, 3},
                    BoxCase{"NaNSweepKeepsEndPoints",
                            WithAngles(MakeArc(0, 0, 1, 0, 90, false), 0, kNaN), 0, 0, 1, 1}),
    [](const testing::TestParamInfo<BoxCase>& info) { return info.param.name; });

// Random arcs: the box holds every sampled point of the arc and is no larger
// than the samples' box widened by the axis extremes the arc really crosses.
TEST(ArcBoxProperty, ContainsSamplesAndNothingMore) {
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> angle(0, 360), sweep(1, 359), coord(-50, 50),
        radius(0.5, 20);
    for (int i = 0; i < 2000; ++i) {
        const bool clockwise = i % 2;
        const double start = angle(random), length = sweep(random);
        const double end = std::fmod(clockwise ? start - length + 720 : start + length, 360);
        const TArc arc =
            MakeArc(coord(random), coord(random), radius(random), start, end, clockwise);
        double minX, minY, maxX, maxY;
        ArcBoundingBox(arc, TPoint2D(arc.StartX, arc.StartY), TPoint2D(arc.EndX, arc.EndY), minX,
                       minY, maxX, maxY, kTol);
        double sMinX = 1e300, sMinY = 1e300, sMaxX = -1e300, sMaxY = -1e300;
        for (int k = 0; k <= 720; ++k) {
            const double a = (start + (clockwise ? -1 : 1) * arc.Sweep * k / 720) * kPi / 180;
            const double x = arc.CenterX + arc.Radius * std::cos(a);
            const double y = arc.CenterY + arc.Radius * std::sin(a);
            ASSERT_TRUE(x >= minX - 1e-6 && x <= maxX + 1e-6 && y >= minY - 1e-6 &&
                        y <= maxY + 1e-6)
                << "case " << i << " start " << start << " sweep " << arc.Sweep;
            sMinX = std::min(sMinX, x);
            sMaxX = std::max(sMaxX, x);
            sMinY = std::min(sMinY, y);
            sMaxY = std::max(sMaxY, y);
        }
        // Samples are 0.5 degree apart: they miss an extreme by at most r*(1-cos 0.25deg).
        const double slack = arc.Radius * (1 - std::cos(0.25 * kPi / 180)) + 1e-6;
        EXPECT_LE(sMinX - minX, slack) << i;
        EXPECT_LE(maxX - sMaxX, slack) << i;
        EXPECT_LE(sMinY - minY, slack) << i;
        EXPECT_LE(maxY - sMaxY, slack) << i;
    }
}

TEST(PolygonBoundingBox, EmptyPolygonGivesZeros) {
    TPolygon polygon(0);
    EXPECT_EQ(polygon.Bounds.MinX, quillform::kEmptyBoxMin);
    polygon.CalcBoundingBox(1e-5);
    EXPECT_EQ(polygon.Bounds.MinX, 0);
    EXPECT_EQ(polygon.Bounds.MaxY, 0);
}

TEST(PolygonBoundingBox, ArcBulgingOutsideTheVertices) {
    // Triangle (0,0)-(2,0)-(1,1) whose first edge bulges down to y = -1.
    TPolygon polygon(3);
    polygon.Points[0] = {0, 0, 0};
    polygon.Points[1] = {0, 2, 0};
    polygon.Points[2] = {0, 1, 1};
    polygon.Arcs[0] = MakeArc(1, 0, 1, 180, 0, false);
    polygon.CalcBoundingBox(1e-5);
    EXPECT_NEAR(polygon.Bounds.MinY, -1, 1e-12);
    EXPECT_NEAR(polygon.Bounds.MaxY, 1, 1e-12);
    EXPECT_NEAR(polygon.Bounds.Width, 2, 1e-12);
    EXPECT_NEAR(polygon.Bounds.Height, 2, 1e-12);
}

struct IntersectCase {
    std::string name;
    TArc arc;
    TPoint2D p1, p2;
    TArc other;
    bool hit;
    TPoint2D expected;
};

class IntersectArcTable : public testing::TestWithParam<IntersectCase> {};

TEST_P(IntersectArcTable, MatchesExpected) {
    const IntersectCase& c = GetParam();
    TPoint2D out(-999, -999);
    ASSERT_EQ(IntersectArc(c.arc, c.p1, c.p2, c.other, out, kTol), c.hit);
    if (c.hit) {
        EXPECT_NEAR(out.X, c.expected.X, 1e-9);
        EXPECT_NEAR(out.Y, c.expected.Y, 1e-9);
    } else {
        EXPECT_EQ(out.X, -999); // not written
    }
}

const TArc kSegment; // IsArc 0: the other edge is the segment

INSTANTIATE_TEST_SUITE_P(
    Table, IntersectArcTable,
    testing::Values(
        IntersectCase{"RayAndUpperHalf",
                      MakeArc(0, 0, 5, 0, 180, false),
                      {0, 0},
                      {10, 0},
                      kSegment,
                      true,
                      {5, 0}},
        IntersectCase{"RayAndLowerHalf",
                      MakeArc(0, 0, 5, 180, 0, false),
                      {0, 0},
                      {10, 0},
                      kSegment,
                      true,
                      {5, 0}},
        IntersectCase{"SlantedSegment",
                      MakeArc(0, 0, 5, 0, 90, false),
                      {0, 0},
                      {10, 10},
                      kSegment,
                      true,
                      {5 / std::sqrt(2.0), 5 / std::sqrt(2.0)}},
        IntersectCase{"SlantedSegmentMissesArc",
                      MakeArc(0, 0, 5, 90, 180, false),
                      {0, 0},
                      {10, 10},
                      kSegment,
                      false,
                      {}},
        IntersectCase{"SegmentTooShort",
                      MakeArc(0, 0, 5, 0, 180, false),
                      {0, 0},
                      {4, 0},
                      kSegment,
                      false,
                      {}},
        IntersectCase{"TangentSlantedLine",
                      MakeArc(0, 0, 5, 0, 0, false),
                      {5, -5},
                      {5, 5},
                      kSegment,
                      false,
                      {}},
        IntersectCase{"ConcentricEqualCircles",
                      MakeArc(0, 0, 5, 0, 0, false),
                      {},
                      {},
                      MakeArc(0, 0, 5, 0, 0, false),
                      false,
                      {}},
        IntersectCase{"ExternallyTouchingCircles",
                      MakeArc(0, 0, 2, 0, 0, false),
                      {},
                      {},
                      MakeArc(5, 0, 3, 0, 0, false),
                      true,
                      {2, 0}},
        IntersectCase{"CrossingArcsFirstCandidate",
                      MakeArc(0, 0, 5, 0, 0, false),
                      {},
                      {},
                      MakeArc(6, 0, 5, 0, 0, false),
                      true,
                      {3, -4}},
        IntersectCase{"CrossingArcsSecondCandidate",
                      MakeArc(0, 0, 5, 0, 180, false),
                      {},
                      {},
                      MakeArc(6, 0, 5, 0, 180, false),
                      true,
                      {3, 4}},
        IntersectCase{
            "ZeroRadiusArc", MakeArc(0, 0, 0, 0, 180, false), {-1, 0}, {1, 0}, kSegment, false, {}},
        IntersectCase{
            "NaNSegment", MakeArc(0, 0, 5, 0, 180, false), {kNaN, 0}, {10, 0}, kSegment, false, {}},
        IntersectCase{"ZeroLengthSegmentOnArc",
                      MakeArc(0, 0, 5, 0, 180, false),
                      {5, 0},
                      {5, 0},
                      kSegment,
                      true,
                      {5, 0}}),
    [](const testing::TestParamInfo<IntersectCase>& info) { return info.param.name; });

TEST(RotatePoint, QuarterTurnAndAboutACentre) {
    TPoint2D p(1, 0);
    RotatePoint(p, TPoint2D(), 90);
    EXPECT_NEAR(p.X, 0, 1e-15);
    EXPECT_NEAR(p.Y, 1, 1e-15);
    TPoint2D q(3, 2);
    RotatePoint(q, TPoint2D(2, 2), -90);
    EXPECT_NEAR(q.X, 2, 1e-15);
    EXPECT_NEAR(q.Y, 1, 1e-15);
}
} // namespace
