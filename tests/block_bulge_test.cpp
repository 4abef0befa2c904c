// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collector_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quillform::detail;

namespace {
constexpr double kEps = 1e-9;
const double kPiValue = 3.141592653589793;

void ExpectSegment(const TDXFSegment& s, double x1, double y1, double x2, double y2) {
    EXPECT_NEAR(s.X1, x1, kEps);
    EXPECT_NEAR(s.Y1, y1, kEps);
    EXPECT_NEAR(s.X2, x2, kEps);
    EXPECT_NEAR(s.Y2, y2, kEps);
}

TEST(BlockExpansion, RotatedInsertPlacesCopyOnTheInsertLayer) {
    auto c = LoadFixture("insert_rotated.dxf");
    ASSERT_EQ(c->Segments.Count, 1);
    const auto& s = ItemAt<TDXFSegment>(c->Segments, 0);
    ExpectSegment(s, 10, 5, 10, 6);
    EXPECT_STREQ(s.Layer.get(), "Parts");
    EXPECT_TRUE(c->LayerNames.Contains("Inner")); // registered though only used in the block
}

TEST(BlockExpansion, ScaleAndFileBasePointAreNotApplied) {
    auto c = LoadFixture("insert_scaled_based.dxf");
    ASSERT_EQ(c->Segments.Count, 1);
    ExpectSegment(ItemAt<TDXFSegment>(c->Segments, 0), 0, 0, 1, 0);
}

TEST(BlockExpansion, RotatedArcAnglesAreReducedIntoOneTurn) {
    auto c = LoadFixture("insert_arc_rotations.dxf");
    ASSERT_EQ(c->Arcs.Count, 3);
    const struct {
        double rotation, start, end;
    } expected[] = {{30, 30, 120}, {-90, 270, 0}, {400, 40, 130}};
    for (int i = 0; i < 3; ++i) {
        const auto& arc = ItemAt<TDXFArc>(c->Arcs, i);
        const double a = expected[i].rotation * kPiValue / 180;
        EXPECT_NEAR(arc.StartAngle, expected[i].start, kEps) << expected[i].rotation;
        EXPECT_NEAR(arc.EndAngle, expected[i].end, kEps) << expected[i].rotation;
        EXPECT_NEAR(arc.Sweep, 90, kEps);
        EXPECT_NEAR(arc.StartX, std::cos(a), kEps);
        EXPECT_NEAR(arc.StartY, std::sin(a), kEps);
        EXPECT_NEAR(arc.EndX, -std::sin(a), kEps);
        EXPECT_NEAR(arc.EndY, std::cos(a), kEps);
    }
}

TEST(BlockExpansion, EveryKindIsCopiedAndPlaced) {
    auto c = LoadFixture("insert_all_kinds.dxf", false);
    ASSERT_EQ(c->Circles.Count, 1);
    const auto& circle = ItemAt<TDXFCircle>(c->Circles, 0);
    EXPECT_NEAR(circle.Center.X, 100, kEps);
    EXPECT_NEAR(circle.Center.Y, 1, kEps);
    EXPECT_EQ(circle.Radius, 0.5);
    ExpectSegment(ItemAt<TDXFSegment>(c->Segments, 0), 100, 0, 100, 1);
    ASSERT_EQ(c->Arcs.Count, 1);
    EXPECT_NEAR(ItemAt<TDXFArc>(c->Arcs, 0).StartAngle, 90, kEps);
    ASSERT_EQ(c->Polylines.Count, 1);
    const auto& polyline = ItemAt<TDXFPolygon>(c->Polylines, 0);
    EXPECT_STREQ(polyline.Layer.get(), "Placed");
    EXPECT_EQ(*static_cast<int32_t*>(polyline.GetItem(0)), 1);
    const auto& last = ItemAt<dxf_info>(polyline, 3);
    EXPECT_NEAR(last.x, 98, kEps);
    EXPECT_NEAR(last.y, 2, kEps);
    EXPECT_EQ(ItemAt<dxf_info>(polyline, 2).bulge, 0.5);
}

TEST(BlockExpansion, AllDefinitionsOfTheNameAreExpanded) {
    auto c = LoadFixture("insert_two_definitions.dxf");
    ASSERT_EQ(c->Segments.Count, 2);
    ExpectSegment(ItemAt<TDXFSegment>(c->Segments, 1), 0, 0, 0, 1);
}

TEST(BlockExpansion, InsertOfAnUnknownBlockCopiesNothing) {
    auto c = LoadFixture("insert_before_definition.dxf");
    EXPECT_EQ(c->Segments.Count, 0);
    EXPECT_EQ(c->Blocks.Count, 2);
}

TEST(BulgeExplosion, TinyBulgeLeavesThePolyline) {
    auto c = LoadFixture("bulge_tiny.dxf");
    EXPECT_EQ(c->Polylines.Count, 1);
    EXPECT_EQ(c->Segments.Count + c->Arcs.Count, 0);
}

struct ExplosionCase {
    const char* file;
    int segments, arcs;
};

class BulgeExplosionCounts : public testing::TestWithParam<ExplosionCase> {};

TEST_P(BulgeExplosionCounts, OneEdgePerVertexLessZeroLengthOnes) {
    auto c = LoadFixture(GetParam().file);
    EXPECT_EQ(c->Polylines.Count, 0);
    EXPECT_EQ(c->Segments.Count, GetParam().segments);
    EXPECT_EQ(c->Arcs.Count, GetParam().arcs);
}

INSTANTIATE_TEST_SUITE_P(Files, BulgeExplosionCounts,
                         testing::Values(ExplosionCase{"bulge_open_one_arc.dxf", 2, 1},
                                         ExplosionCase{"bulge_repeated_last.dxf", 2, 1},
                                         ExplosionCase{"bulge_semicircle_ccw.dxf", 1, 1},
                                         // coinciding ends: the bulged edge is dropped
                                         ExplosionCase{"bulge_zero_chord.dxf", 2, 0},
                                         // any other chord gives an arc
                                         ExplosionCase{"bulge_short_chord.dxf", 0, 1}));

struct ArcCase {
    const char* file;
    double cx, cy, r, start, end, sweep;
    int clockwise;
};

class BulgeExplosionArc : public testing::TestWithParam<ArcCase> {};

TEST_P(BulgeExplosionArc, CentreRadiusAndDirection) {
    const ArcCase& e = GetParam();
    auto c = LoadFixture(e.file);
    ASSERT_EQ(c->Arcs.Count, 1);
    const auto& arc = ItemAt<TDXFArc>(c->Arcs, 0);
    EXPECT_NEAR(arc.CenterX, e.cx, kEps);
    EXPECT_NEAR(arc.CenterY, e.cy, kEps);
    EXPECT_NEAR(arc.Radius, e.r, kEps);
    EXPECT_NEAR(arc.StartAngle, e.start, 1e-6);
    EXPECT_NEAR(arc.EndAngle, e.end, 1e-6);
    EXPECT_NEAR(arc.Sweep, e.sweep, 1e-6);
    EXPECT_EQ(arc.Clockwise, e.clockwise);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BulgeExplosionArc,
    testing::Values(ArcCase{"bulge_semicircle_ccw.dxf", 1, 0, 1, 180, 0, 180, 0},
                    ArcCase{"bulge_semicircle_cw.dxf", 1, 0, 1, 180, 0, 180, 1},
                    ArcCase{"bulge_worked_example.dxf", 0, 0, 1, 0, 90, 90, 0},
                    ArcCase{"bulge_short_chord.dxf", 2e-6, 0, 2e-6, 180, 0, 180, 0}));

TEST(BulgeExplosion, WorkedExampleClosesWithASegment) {
    auto c = LoadFixture("bulge_worked_example.dxf");
    ASSERT_EQ(c->Segments.Count, 1);
    ExpectSegment(ItemAt<TDXFSegment>(c->Segments, 0), 0, 1, 1, 0);
}
} // namespace
