// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Accurate geometry: block placement, nesting, layers of block contents,
// object coordinate systems, paper space and whole polylines, each through
// a drawing written by ezdxf (tests/data/accurate/make_accurate.py) and
// compared with ezdxf's own explosion of the same drawing.
#include "reading.h"
#include "test_support.h"

#include "quillform/status.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

namespace {
std::string Case(const std::string& name) {
    return TestData("accurate/" + name + ".dxf");
}

TReadOutcome ReadAccurate(const std::string& name, double distance = 1) {
    return ReadDrawing(Case(name), [distance](TDXFQuillform& r) {
        r.SetLinkingDistance(distance);
        r.SetAccurateGeometry(1);
    });
}

TReadOutcome ReadDefault(const std::string& path, double distance = 1) {
    return ReadDrawing(path, [distance](TDXFQuillform& r) { r.SetLinkingDistance(distance); });
}

// What a shape is, whatever vertex its outline starts at and whichever way it runs.
struct Signature {
    int kind = 0;
    double minX = 0, minY = 0, maxX = 0, maxY = 0, area = 0;
    std::vector<Signature> holes;

    auto Key() const {
        const auto q = [](double v) { return std::llround(v * 1e6); };
        return std::make_tuple(q(minX), q(minY), q(maxX), q(maxY), kind);
    }
};

Signature Sign(const TBaseShape& shape) {
    Signature s;
    s.kind = shape.Kind;
    s.minX = shape.Bounds.MinX;
    s.minY = shape.Bounds.MinY;
    s.maxX = shape.Bounds.MaxX;
    s.maxY = shape.Bounds.MaxY;
    s.area = OutlineArea(shape);
    return s;
}

std::vector<Signature> Sorted(std::vector<Signature> list) {
    std::sort(list.begin(), list.end(),
              [](const Signature& a, const Signature& b) { return a.Key() < b.Key(); });
    return list;
}

std::vector<Signature> LayerSignatures(const TFixedSizeLayer& layer) {
    std::vector<Signature> shapes;
    for (int32_t j = 0; j < layer.ShapeCount; ++j) {
        const TShapeWithHoles& shape = layer.Shapes[j];
        Signature s = Sign(shape);
        for (int32_t h = 0; h < shape.HoleCount; ++h)
            s.holes.push_back(Sign(shape.Holes[h]));
        s.holes = Sorted(s.holes);
        shapes.push_back(s);
    }
    return Sorted(shapes);
}

bool Close(double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

void ExpectSame(const Signature& a, const Signature& b, const std::string& where) {
    EXPECT_EQ(a.kind, b.kind) << where;
    EXPECT_TRUE(Close(a.minX, b.minX) && Close(a.minY, b.minY) && Close(a.maxX, b.maxX) &&
                Close(a.maxY, b.maxY))
        << where << ": box (" << a.minX << ", " << a.minY << ")-(" << a.maxX << ", " << a.maxY
        << ") against (" << b.minX << ", " << b.minY << ")-(" << b.maxX << ", " << b.maxY << ")";
    EXPECT_TRUE(Close(a.area, b.area)) << where << ": area " << a.area << " against " << b.area;
    ASSERT_EQ(a.holes.size(), b.holes.size()) << where;
    for (size_t h = 0; h < a.holes.size(); ++h)
        ExpectSame(a.holes[h], b.holes[h], where + " hole " + std::to_string(h));
}

class AgainstEzdxfExplosion : public testing::TestWithParam<const char*> {};

TEST_P(AgainstEzdxfExplosion, SameShapesAndHolesOnEveryLayer) {
    const std::string name = GetParam();
    const TReadOutcome ours = ReadAccurate(name);
    const TReadOutcome theirs = ReadDefault(TestData("accurate/" + name + ".flat.dxf"));
    ASSERT_EQ(ours.status, 0) << name;
    ASSERT_EQ(theirs.status, 0) << name;
    int compared = 0;
    for (int i = 0; i < theirs.copy.LayerCount; ++i) {
        const TFixedSizeLayer& layer = theirs.copy.Layers[i];
        if (layer.ShapeCount == 0)
            continue;
        const int mine = ours.LayerIndex(layer.Name.get());
        ASSERT_GE(mine, 0) << name << ": no layer " << layer.Name.get();
        const auto expected = LayerSignatures(layer);
        const auto actual = LayerSignatures(ours.copy.Layers[mine]);
        ASSERT_EQ(actual.size(), expected.size()) << name << " layer " << layer.Name.get();
        for (size_t j = 0; j < actual.size(); ++j)
            ExpectSame(actual[j], expected[j], name + " shape " + std::to_string(j));
        compared += layer.ShapeCount;
    }
    EXPECT_GT(compared, 0) << name;
}

INSTANTIATE_TEST_SUITE_P(Drawings, AgainstEzdxfExplosion,
                         testing::Values("base_point", "uniform_scale", "mirror_x", "mirror_y",
                                         "rotation_mirror", "minsert", "nested_later", "layer_zero",
                                         "extrusion_arc", "extrusion_circle",
                                         "extrusion_lwpolyline", "extrusion_insert", "paper_space",
                                         "open_bulged_polyline", "channel_profile"));

const TShapeWithHoles& OnlyShape(const TReadOutcome& r, const std::string& layer = "0") {
    const int i = r.LayerIndex(layer);
    EXPECT_GE(i, 0);
    EXPECT_EQ(r.copy.Layers[i].ShapeCount, 1) << layer;
    return r.copy.Layers[i].Shapes[0];
}

TEST(AccurateGeometry, BasePointIsSubtractedBeforeRotation) {
    const TReadOutcome plateRead = ReadAccurate("base_point");
    const TShapeWithHoles& plate = OnlyShape(plateRead);
    ASSERT_EQ(plate.HoleCount, 6);
    for (int h = 0; h < 6; ++h) {
        const TCircle& hole = *plate.Holes[h].Circle;
        EXPECT_NEAR(std::hypot(hole.Center.X, hole.Center.Y), 50, 1e-9) << h;
    }
    // The reader's own rules rotate about the block's origin instead.
    const TReadOutcome literal = ReadDefault(Case("base_point"));
    EXPECT_EQ(literal.copy.Layers[0].Shapes[0].HoleCount, 6);
    EXPECT_NEAR(literal.copy.Layers[0].Shapes[0].Holes[0].Circle->Center.Y, 90, 1e-9);
}

TEST(AccurateGeometry, MirroredArcRunsTheOtherWay) {
    for (const char* name : {"mirror_x", "mirror_y", "rotation_mirror", "extrusion_insert"}) {
        const TReadOutcome bracketRead = ReadAccurate(name);
        const TShapeWithHoles& bracket = OnlyShape(bracketRead);
        EXPECT_EQ(bracket.HoleCount, 1) << name;
        // L of 30 x 30 with 10 wide legs and a fillet of radius 5 in its inner corner.
        EXPECT_NEAR(OutlineArea(bracket), 500 + 25 - 25 * 3.141592653589793 / 4, 1e-9) << name;
    }
}

TEST(AccurateGeometry, ArrayGivesOneCopyPerCell) {
    const TReadOutcome r = ReadAccurate("minsert");
    ASSERT_EQ(r.ShapeCount("0"), 6);
    for (int j = 0; j < 6; ++j)
        EXPECT_EQ(r.copy.Layers[r.LayerIndex("0")].Shapes[j].HoleCount, 1) << j;
}

TEST(AccurateGeometry, NestedBlocksDefinedAfterTheirUseAreFound) {
    const TReadOutcome r = ReadAccurate("nested_later");
    EXPECT_EQ(r.ShapeCount("0"), 3); // OUTER's square, MIDDLE's circle, INNER's square with hole
    EXPECT_EQ(ReadDefault(Case("nested_later")).ShapeCount("0"), 1);
}

TEST(AccurateGeometry, SelfInsertionIsExpandedOnceAndWarned) {
    const TReadOutcome r = ReadAccurate("self_insert");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(OnlyShape(r).Bounds.MaxX, 10);
    EXPECT_TRUE(r.HasWarning("selfInsert"));
}

TEST(AccurateGeometry, LayerZeroInsideBlocksTakesTheInsertsLayer) {
    const TReadOutcome r = ReadAccurate("layer_zero");
    const TShapeWithHoles& part = OnlyShape(r, "PART");
    EXPECT_EQ(part.Bounds.MaxX, 40);
    ASSERT_EQ(part.HoleCount, 1); // the circle two levels down
    EXPECT_EQ(part.Holes[0].Kind, quillform::kShapeCircle);
    EXPECT_EQ(OnlyShape(r, "KEEP").Bounds.MaxX, 35);
    EXPECT_EQ(r.ShapeCount("0"), 0);
}

TEST(AccurateGeometry, MirroredObjectCoordinatesArePlacedInTheWorld) {
    const TReadOutcome slotRead = ReadAccurate("extrusion_arc");
    const TShapeWithHoles& slot = OnlyShape(slotRead);
    EXPECT_NEAR(slot.Bounds.MinX, -22, 1e-12);
    EXPECT_NEAR(slot.Bounds.MaxX, -8, 1e-12);
    const TReadOutcome squareRead = ReadAccurate("extrusion_circle");
    const TShapeWithHoles& square = OnlyShape(squareRead);
    ASSERT_EQ(square.HoleCount, 1);
    EXPECT_EQ(square.Holes[0].Circle->Center.X, -5);
    const TReadOutcome plateRead = ReadAccurate("extrusion_lwpolyline");
    const TShapeWithHoles& plate = OnlyShape(plateRead);
    EXPECT_EQ(plate.HoleCount, 1);
    EXPECT_NEAR(plate.Bounds.MaxX, -10, 1e-12);
}

TEST(AccurateGeometry, PaperSpaceIsLeftOut) {
    const TReadOutcome r = ReadAccurate("paper_space");
    EXPECT_EQ(OnlyShape(r).Bounds.MaxX, 10);
    EXPECT_EQ(ReadDefault(Case("paper_space")).ShapeCount("0"), 2);
}

TEST(AccurateGeometry, OpenBulgedPolylineGetsNoClosingEdge) {
    const TReadOutcome uRead = ReadAccurate("open_bulged_polyline", 0);
    const TShapeWithHoles& u = OnlyShape(uRead);
    ASSERT_EQ(u.Polygon->Count, 4);
    int arcs = 0;
    for (int k = 0; k < 4; ++k)
        arcs += u.Polygon->Arcs[k].IsArc;
    EXPECT_EQ(arcs, 1);
    EXPECT_NEAR(OutlineArea(u), 150 + 12.5 * 3.141592653589793, 1e-9);
}

TEST(AccurateGeometry, PolylineStaysOneChainWhateverTheDistance) {
    const TReadOutcome channelRead = ReadAccurate("channel_profile", 1);
    const TShapeWithHoles& channel = OnlyShape(channelRead);
    EXPECT_EQ(channel.Polygon->Count, 8);
    EXPECT_NEAR(OutlineArea(channel), 20 * 10 - 19.5 * 9, 1e-9);
}

TEST(AccurateGeometry, TiltedCircleIsSeenAsAnEllipseAndEdgeOnAsALine) {
    const TReadOutcome r = ReadAccurate("tilted_circle");
    const TShapeWithHoles& square = OnlyShape(r);
    ASSERT_EQ(square.HoleCount, 1);
    EXPECT_EQ(square.Holes[0].Kind, quillform::kShapePolygon);
    // Seen along Z, a plane tilted by acos(0.8) shrinks areas by 0.8.
    EXPECT_NEAR(OutlineArea(square.Holes[0]), 3.141592653589793 * 4 * 0.8, 1e-3);
    // The circle in a vertical plane shows as a line (an open chain, dropped).
    EXPECT_TRUE(r.HasWarning("verticalPlane"));
    EXPECT_FALSE(r.HasWarning("edgeOnPlane"));
}

TEST(AccurateGeometry, ExpansionBudgetHoldsThroughEveryLevel) {
    const TReadOutcome r = ReadAccurate("ten_levels");
    EXPECT_TRUE(r.status & stExpansionLimit);
    EXPECT_EQ(r.copy.LayerCount, 0);
    EXPECT_TRUE(r.HasWarning("expansionLimit"));
}

TEST(AccurateGeometry, EventsAreTheSameInBothModes) {
    for (const char* name : {"nested_later", "extrusion_arc", "paper_space", "minsert"}) {
        EventRecorder literal, accurate;
        for (auto* recorder : {&literal, &accurate}) {
            struct Context {
                TDXFQuillform reader;
            } context;
            const quillform::EntityEvents e = recorder->Events();
            TDXFQuillform& r = context.reader;
            r.OnLayer = e.OnLayer;
            r.OnSegment = e.OnSegment;
            r.OnCircle = e.OnCircle;
            r.OnArc = e.OnArc;
            r.OnPolyline = e.OnPolyline;
            r.OnVertex = e.OnVertex;
            r.OnBlock = e.OnBlock;
            r.OnEndBlock = e.OnEndBlock;
            r.OnInsert = e.OnInsert;
            r.SetAccurateGeometry(recorder == &accurate ? 1 : 0);
            const std::string path = Case(name);
            r.Read(std::wstring(path.begin(), path.end()).c_str());
        }
        EXPECT_FALSE(literal.lines.empty()) << name;
        EXPECT_EQ(literal.lines, accurate.lines) << name;
    }
}
} // namespace
