// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "classify/split_outline.h"
#include "model/geometry_constants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace quillform::detail;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

dxf_info* Vertex(double x, double y) {
    auto* v = NewPlainItem<dxf_info>();
    v->x = x;
    v->y = y;
    return v;
}

// One arc edge of radius r about the origin from angle `from` to angle `to`
// (degrees), closed by a straight edge back; equal angles give a one-vertex
// contour whose only edge is the full circle.
struct ArcContour {
    TDXFPolygon contour;

    ArcContour(double r, double from, double to, bool clockwise) {
        dxf_info* a = Vertex(r * std::cos(from * kPi / 180), r * std::sin(from * kPi / 180));
        a->is_arc = 1;
        a->clockwise = clockwise;
        a->radius = r;
        contour.Add(a);
        if (from != to)
            contour.Add(Vertex(r * std::cos(to * kPi / 180), r * std::sin(to * kPi / 180)));
    }
    ~ArcContour() { contour.ClearVertices(); }
};

struct SplitCase {
    const char* name;
    double r, from, to;
    bool clockwise;
    std::vector<double> cutHeights; // y of the cut points, in the order the arc reaches them
};

class SplitRule : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitRule, CutsAtEveryExtremePassedInsideTheSweep) {
    const SplitCase& c = GetParam();
    ArcContour arc(c.r, c.from, c.to, c.clockwise);
    const TSplitOutline outline(arc.contour);
    const int vertices = arc.contour.Count;
    ASSERT_EQ(outline.Count, vertices + static_cast<int>(c.cutHeights.size())) << c.name;
    ASSERT_EQ(arc.contour.CountSplitPoints(kClassificationTolerance), outline.Count) << c.name;
    for (size_t k = 0; k < c.cutHeights.size(); ++k) {
        const TPoint2D& cut = outline.Points[1 + k];
        EXPECT_NEAR(cut.X, 0, 1e-12) << c.name << " cut " << k;
        EXPECT_NEAR(cut.Y, c.cutHeights[k], 1e-12) << c.name << " cut " << k;
        EXPECT_EQ(outline.Edges[k].IsArc, 1) << c.name;
        EXPECT_EQ(outline.Edges[k].EndY, cut.Y) << c.name << " sub-arc " << k << " ends at the cut";
        EXPECT_EQ(outline.Edges[k + 1].StartY, cut.Y) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arcs, SplitRule,
    testing::Values(SplitCase{"CcwRightToLeftPassesTop", 2, 0, 180, false, {2}},
                    SplitCase{"CwRightToLeftPassesBottom", 2, 0, 180, true, {-2}},
                    SplitCase{"CcwQuarterEndingAtTop", 2, 0, 90, false, {}},
                    SplitCase{"CcwAcrossZeroPassesNothing", 2, 300, 60, false, {}},
                    SplitCase{"LobeFromTopPassesBottomOnly", 4, 90, 0, false, {-4}},
                    SplitCase{"ClockwiseLobeFromTopPassesBottomOnly", 4, 90, 180, true, {-4}},
                    SplitCase{"LobeEndingAtBottomPassesTopOnly", 4, 0, 270, false, {4}},
                    SplitCase{"BothSidesRightPassesTopThenBottom", 3, 30, 330, false, {3, -3}},
                    SplitCase{"ClockwiseLeftPassesTopThenBottom", 3, 150, 210, true, {3, -3}},
                    SplitCase{"FullCircleFromZero", 10, 0, 0, false, {10, -10}},
                    SplitCase{"FullCircleClockwiseFromZero", 10, 0, 0, true, {-10, 10}},
                    SplitCase{"FullCircleWithItsVertexAtTheTop", 10, 90, 90, false, {-10}},
                    SplitCase{"FullCircleWithItsVertexAtTheBottom", 10, 270, 270, true, {10}},
                    // 1e-8 degrees on radius 10 is 1.7e-9 along the arc: too close to cut
                    SplitCase{"TopWithinTheToleranceOfTheEnd", 10, 0, 90 + 1e-8, false, {}},
                    // 1e-5 degrees on radius 10 is 1.7e-6 along the arc: cut
                    SplitCase{"TopJustBeyondTheTolerance", 10, 0, 90 + 1e-5, false, {10}},
                    SplitCase{"ZeroRadiusIsNeverCut", 0, 0, 0, false, {}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(SplitRule, NaNCentreIsNeverCut) {
    ArcContour arc(2, 0, 180, false);
    static_cast<dxf_info*>(arc.contour.Head->Item)->center_x = kNaN;
    EXPECT_EQ(TSplitOutline(arc.contour).Count, 2);
}

struct FarPointCase {
    const char* name;
    double r, x, belowTop;
    bool inside;
};

class OutlineBounds : public testing::TestWithParam<FarPointCase> {};

// Just below the top of a small circle the ray test alone misses one
// crossing, which would put every point far to its left inside the circle.
TEST_P(OutlineBounds, PointsOutsideTheBoundsAreOutside) {
    const FarPointCase& c = GetParam();
    ArcContour circle(c.r, 0, 0, false);
    const TSplitOutline outline(circle.contour);
    EXPECT_EQ(PointInOutline(outline, c.x, c.r - c.belowTop), c.inside) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Circles, OutlineBounds,
    testing::Values(FarPointCase{"FarLeftOfRadius0p1", 0.1, -1000, 1e-6, false},
                    FarPointCase{"FarLeftOfRadius0p01", 0.01, -5, 2e-7, false},
                    FarPointCase{"JustLeftOfTheBounds", 0.1, -0.1 - 3e-6, 1e-6, false},
                    FarPointCase{"FarRight", 0.1, 1000, 1e-6, false},
                    FarPointCase{"InsideNearTheTop", 0.1, 0, 1e-6, true},
                    FarPointCase{"InsideTheCentre", 0.1, 0, 0.1, true},
                    FarPointCase{"InsideALargeCircle", 100, -50, 100, true}),
    [](const testing::TestParamInfo<FarPointCase>& info) { return std::string(info.param.name); });

TEST(OutlineBounds, EnclosePointsAndTheArcsBetweenThem) {
    ArcContour lobe(4, 90, 0, false); // reaches x = -4 and y = -4 between its vertices
    const TSplitOutline outline(lobe.contour);
    EXPECT_LE(outline.Bounds.MinX, -4);
    EXPECT_LE(outline.Bounds.MinY, -4);
    EXPECT_GE(outline.Bounds.MaxX, 4);
    EXPECT_GE(outline.Bounds.MaxY, 4);
    EXPECT_GT(outline.Bounds.MinX, -4 - 1e-5);
    EXPECT_TRUE(PointInOutline(outline, -3.9, 0));
    EXPECT_TRUE(PointInOutline(outline, 0, -3.9));
    EXPECT_FALSE(PointInOutline(outline, kNaN, 0));
    EXPECT_FALSE(PointInOutline(outline, 0, kNaN));
}
} // namespace
