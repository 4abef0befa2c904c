// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Measures of parts whose figures follow from a formula (drawings written by
// tests/data/measures/make_measures.py), of outlines that hold nothing to
// measure, and of outlines turned round, started elsewhere or moved far away.
#include "test_support.h"

#include "measure/convex_hull.h"

#include "quillform/drawing.h"
#include "quillform/measures.h"
#include "quillform/outline_measures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {
using quillform::Outline;
using quillform::OutlineKind;
using quillform::Shape;
using quillform::Vertex;

constexpr double kPi = 3.141592653589793;
const double kSin30 = 0.5, kCos30 = std::sqrt(3.0) / 2;

struct Expected {
    double area, outerArea, cutLength, outerLength;
    int64_t pierces;
    double width, height;
    quillform::Rectangle rectangle;
    double hullArea;
    std::optional<double> smallestHole, smallestRadius;
};

struct PartCase {
    const char* name;
    const char* file; // in tests/data/measures
    bool accurate;
    size_t part; // on layer 0
    Expected expected;
};

// A w x h rectangle with corners of radius r: its area and perimeter.
double RoundedArea(double w, double h, double r) {
    return w * h - (4 - kPi) * r * r;
}
double RoundedLength(double w, double h, double r) {
    return 2 * (w + h) - 8 * r + 2 * kPi * r;
}

// The D-shaped plate of mirrored_insert.dxf: 40 x 20 and a half circle of radius 10.
const double kDArea = 800 + 50 * kPi, kDLength = 100 + 10 * kPi;

const PartCase kParts[] = {
    {"Circle",
     "circle.dxf",
     false,
     0,
     {25 * kPi, 25 * kPi, 10 * kPi, 10 * kPi, 1, 10, 10, {10, 10, 0}, 25 * kPi, {}, 5}},
    {"RoundedRectangle",
     "rounded_rectangle.dxf",
     false,
     0,
     {RoundedArea(40, 20, 5),
      RoundedArea(40, 20, 5),
      RoundedLength(40, 20, 5),
      RoundedLength(40, 20, 5),
      1,
      40,
      20,
      {40, 20, 0},
      RoundedArea(40, 20, 5),
      {},
      5}},
    {"SlotOfLinesAndArcs",
     "slot.dxf",
     false,
     0,
     {240 + 16 * kPi,
      240 + 16 * kPi,
      60 + 8 * kPi,
      60 + 8 * kPi,
      1,
      38,
      8,
      {38, 8, 0},
      240 + 16 * kPi,
      {},
      4}},
    // Holes: two circles (radius 5), a turned square (10), a slot (radius 3, centres 20 apart).
    {"PlateWithHoles",
     "plate_with_holes.dxf",
     false,
     0,
     {6000 - 50 * kPi - 100 - (120 + 9 * kPi),
      6000,
      320 + 20 * kPi + 40 + 40 + 6 * kPi,
      320,
      5,
      100,
      60,
      {100, 60, 0},
      6000,
      6,
      3}},
    {"PartTurnedBy30Degrees",
     "rotated_part.dxf",
     false,
     0,
     {RoundedArea(60, 30, 5) - 16 * kPi,
      RoundedArea(60, 30, 5),
      RoundedLength(60, 30, 5) + 8 * kPi,
      RoundedLength(60, 30, 5),
      2,
      50 * kCos30 + 20 * kSin30 + 10,
      50 * kSin30 + 20 * kCos30 + 10,
      {60, 30, 30},
      RoundedArea(60, 30, 5),
      8,
      4}},
    {"FrameAroundAnIsland",
     "island.dxf",
     false,
     0,
     {6400, 10000, 640, 400, 2, 100, 100, {100, 100, 0}, 10000, 60, {}}},
    {"IslandIsAPartOfItsOwn",
     "island.dxf",
     false,
     1,
     {400 - 16 * kPi, 400, 80 + 8 * kPi, 80, 2, 20, 20, {20, 20, 0}, 400, 8, 4}},
    {"MirroredInsert",
     "mirrored_insert.dxf",
     true,
     0,
     {kDArea - 9 * kPi,
      kDArea,
      kDLength + 6 * kPi,
      kDLength,
      2,
      50,
      20,
      {50, 20, 0},
      kDArea,
      6,
      3}},
    // Mirrored, then turned by 30 degrees: the long side runs at 210 degrees.
    {"MirroredAndTurnedInsert",
     "mirrored_insert.dxf",
     true,
     1,
     {kDArea - 9 * kPi,
      kDArea,
      kDLength + 6 * kPi,
      kDLength,
      2,
      40 * kCos30 + 10 * kSin30 + 10,
      10 * kCos30 + 40 * kSin30 + 10,
      {50, 20, 30},
      kDArea,
      6,
      3}},
    {"ZeroAreaOutAndBack",
     "zero_area.dxf",
     false,
     0,
     {0, 0, 20, 20, 1, 10, 0, {10, 0, 0}, 0, {}, {}}},
    {"ZeroAreaAlongALine",
     "zero_area.dxf",
     false,
     1,
     {0, 0, 40, 40, 1, 20, 0, {20, 0, 0}, 0, {}, {}}},
};

quillform::Drawing Read(const std::string& file, bool accurate) {
    quillform::Settings settings;
    settings.accurate = accurate;
    settings.distance = 1e-6;
    return quillform::ReadDrawing(TestData("measures/" + file), settings);
}

void ExpectNear(std::optional<double> actual, std::optional<double> expected, const char* what) {
    ASSERT_EQ(actual.has_value(), expected.has_value()) << what;
    if (expected) {
        EXPECT_NEAR(*actual, *expected, 1e-9) << what;
    }
}

class ExactMeasures : public testing::TestWithParam<PartCase> {};

TEST_P(ExactMeasures, FollowTheFormula) {
    const PartCase& c = GetParam();
    const quillform::Drawing drawing = Read(c.file, c.accurate);
    ASSERT_FALSE(drawing.layers.empty());
    ASSERT_GT(drawing.layers[0].shapes.size(), c.part);
    const quillform::PartMeasures m = quillform::MeasurePart(drawing.layers[0].shapes[c.part]);
    const Expected& e = c.expected;
    ASSERT_TRUE(m.finite);
    const double scale = 1e-9 * std::max(1.0, e.outerLength);
    const double areaScale = 1e-9 * std::max(1.0, e.outerArea);
    EXPECT_NEAR(m.area, e.area, areaScale);
    EXPECT_NEAR(m.outerArea, e.outerArea, areaScale);
    EXPECT_NEAR(m.cutLength, e.cutLength, scale);
    EXPECT_NEAR(m.outerLength, e.outerLength, scale);
    EXPECT_EQ(m.pierces, e.pierces);
    EXPECT_NEAR(m.width, e.width, scale);
    EXPECT_NEAR(m.height, e.height, scale);
    EXPECT_NEAR(m.box.maxX - m.box.minX, e.width, scale);
    EXPECT_NEAR(m.minRectangle.width, e.rectangle.width, scale);
    EXPECT_NEAR(m.minRectangle.height, e.rectangle.height, scale);
    EXPECT_NEAR(m.minRectangle.angle, e.rectangle.angle, 1e-9);
    EXPECT_NEAR(m.hullArea, e.hullArea, areaScale);
    ExpectNear(m.smallestHole, e.smallestHole, "smallest hole");
    ExpectNear(m.smallestRadius, e.smallestRadius, "smallest radius");
}

INSTANTIATE_TEST_SUITE_P(Parts, ExactMeasures, testing::ValuesIn(kParts),
                         [](const testing::TestParamInfo<PartCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(MeasureTotals, SumThePartsOfEachLayerAndTheFile) {
    const quillform::Drawing drawing = Read("island.dxf", false);
    const quillform::Totals layer = quillform::TotalOf(drawing.layers[0]);
    EXPECT_EQ(layer.parts, 2);
    EXPECT_EQ(layer.unmeasured, 0);
    EXPECT_EQ(layer.pierces, 4);
    EXPECT_NEAR(layer.cutLength, 720 + 8 * kPi, 1e-9);
    EXPECT_NEAR(layer.area, 6800 - 16 * kPi, 1e-9);
    EXPECT_EQ(layer.box.minX, 0);
    EXPECT_EQ(layer.box.maxY, 100);
    // The file: its layers summed, the empty ones adding nothing (not even a box at 0, 0).
    const quillform::Drawing other = Read("rotated_part.dxf", false);
    quillform::Drawing both = drawing;
    both.layers.insert(both.layers.begin(), other.layers.begin(), other.layers.end());
    const quillform::Totals file = quillform::TotalOf(both);
    EXPECT_EQ(file.parts, 3);
    EXPECT_EQ(file.pierces, 6);
    EXPECT_NEAR(file.area, layer.area + RoundedArea(60, 30, 5) - 16 * kPi, 1e-9);
    EXPECT_EQ(file.box.minX, 0);
    EXPECT_NEAR(file.box.maxX, 200 + (50 * kCos30 + 20 * kSin30 + 10) / 2, 1e-9);
    EXPECT_NEAR(file.box.maxY, 100 + (50 * kSin30 + 20 * kCos30 + 10) / 2, 1e-9);
}

Vertex Corner(double x, double y) {
    return {x, y, std::nullopt};
}

Vertex ArcFrom(double x, double y, double cx, double cy, bool clockwise) {
    return {x, y, quillform::ArcEdge{{cx, cy}, std::hypot(x - cx, y - cy), clockwise}};
}

Outline Polygon(std::vector<Vertex> vertices) {
    Outline o;
    o.vertices = std::move(vertices);
    return o;
}

Outline CircleOutline(double x, double y, double r) {
    Outline o;
    o.kind = OutlineKind::Circle;
    o.circle = {{x, y}, r};
    return o;
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

struct NoFigureCase {
    const char* name;
    Outline outline;
};

const NoFigureCase kNoFigures[] = {
    {"NaNVertex", Polygon({Corner(0, 0), Corner(kNaN, 0), Corner(1, 1)})},
    {"InfiniteArcCentre", Polygon({{0, 0, quillform::ArcEdge{{kInf, 0}, 1, false}}, Corner(2, 0)})},
    {"InfiniteArcRadius", Polygon({{0, 0, quillform::ArcEdge{{1, 0}, kInf, false}}, Corner(2, 0)})},
    {"NaNCircleRadius", CircleOutline(0, 0, kNaN)},
    {"InfiniteCircleCentre", CircleOutline(kInf, 0, 1)},
    // Finite, but the area overflows.
    {"OverflowingSquare", Polygon({Corner(-1e308, -1e308), Corner(1e308, -1e308),
                                   Corner(1e308, 1e308), Corner(-1e308, 1e308)})},
};

class NoFigures : public testing::TestWithParam<NoFigureCase> {};

Shape Part(const Outline& outline) {
    Shape part;
    static_cast<Outline&>(part) = outline;
    return part;
}

TEST_P(NoFigures, ForNonFiniteOutlinesPartsAndTotals) {
    const Outline& outline = GetParam().outline;
    const quillform::OutlineMeasures m = quillform::MeasureOutline(outline);
    EXPECT_FALSE(m.finite);
    EXPECT_EQ(m.area, 0);
    EXPECT_EQ(m.length, 0);
    EXPECT_FALSE(m.smallestRadius);
    // As a part, and as the hole of a sound part.
    EXPECT_FALSE(quillform::MeasurePart(Part(outline)).finite);
    Shape plate = Part(Polygon({Corner(0, 0), Corner(10, 0), Corner(10, 10)}));
    plate.holes.push_back(outline);
    EXPECT_FALSE(quillform::MeasurePart(plate).finite);
    // Totals leave it out, save in the count of parts.
    quillform::Layer layer;
    layer.shapes = {plate, Part(CircleOutline(100, 100, 1))};
    const quillform::Totals t = quillform::TotalOf(layer);
    EXPECT_EQ(t.parts, 2);
    EXPECT_EQ(t.unmeasured, 1);
    EXPECT_EQ(t.pierces, 1);
    EXPECT_NEAR(t.area, kPi, 1e-12);
    EXPECT_EQ(t.box.minX, 99); // the measured part's box alone
}

INSTANTIATE_TEST_SUITE_P(Outlines, NoFigures, testing::ValuesIn(kNoFigures),
                         [](const testing::TestParamInfo<NoFigureCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(NoFigures, ForADrawingOfHugeCoordinates) {
    const quillform::Drawing drawing = quillform::ReadDrawing(TestData("huge_coords.dxf"));
    const quillform::Totals t = quillform::TotalOf(drawing);
    EXPECT_GT(t.parts, 0);
    EXPECT_EQ(t.unmeasured, t.parts);
    EXPECT_EQ(t.cutLength, 0);
}

TEST(DegenerateOutlines, MeasureZero) {
    for (const Outline& o : {Polygon({}), Polygon({Corner(3, 4)}), CircleOutline(3, 4, 0)}) {
        const quillform::OutlineMeasures m = quillform::MeasureOutline(o);
        EXPECT_TRUE(m.finite);
        EXPECT_EQ(m.area, 0);
        EXPECT_EQ(m.length, 0);
        EXPECT_EQ(m.hullArea, 0);
        EXPECT_EQ(m.width, 0);
        EXPECT_EQ(m.minRectangle.width * m.minRectangle.height, 0);
    }
    // A circle written with a negative radius is the same circle.
    const quillform::OutlineMeasures m = quillform::MeasureOutline(CircleOutline(0, 0, -2));
    EXPECT_NEAR(m.length, 4 * kPi, 1e-12);
    EXPECT_EQ(m.smallestRadius, 2);
    EXPECT_EQ(m.box.minX, -2);
}

TEST(ArcEdges, AClockwiseArcBackToItsStartIsTheWholeCircle) {
    for (bool clockwise : {false, true}) {
        const Outline circle = Polygon({ArcFrom(2, 0, 0, 0, clockwise)});
        const quillform::OutlineMeasures m = quillform::MeasureOutline(circle);
        EXPECT_NEAR(m.area, 4 * kPi, 1e-12) << clockwise;
        EXPECT_NEAR(m.length, 4 * kPi, 1e-12) << clockwise;
        EXPECT_NEAR(m.hullArea, 4 * kPi, 1e-12) << clockwise;
        EXPECT_NEAR(m.box.minX, -2, 1e-12) << clockwise;
        EXPECT_EQ(quillform::EnclosedArea(circle), m.area);
    }
    EXPECT_EQ(quillform::SvgPath(Polygon({ArcFrom(2, 0, 0, 0, true)})),
              "M 2 0 A 2 2 0 0 0 -2 0 A 2 2 0 0 0 2 0 Z");
}

// Linking with a long distance may join an arc to a vertex off its circle:
// the edge follows the arc, then goes straight on to the vertex.
TEST(ArcEdges, AnArcThatMissesTheNextVertexGoesOnStraight) {
    const Outline o = Polygon({ArcFrom(1, 0, 0, 0, false), Corner(0, 2), Corner(0, 0)});
    const quillform::OutlineMeasures m = quillform::MeasureOutline(o);
    EXPECT_NEAR(m.length, kPi / 2 + 1 + 2 + 1, 1e-12);
    EXPECT_NEAR(m.area, kPi / 4, 1e-12);
    EXPECT_NEAR(m.box.maxX, 1, 1e-12);
    EXPECT_NEAR(m.box.maxY, 2, 1e-12);
    EXPECT_GT(m.hullArea, 1); // the triangle (0,0) (1,0) (0,2), and more of the arc
}

// The same outline run the other way, started at another vertex: the arc on
// the edge from k to k + 1 becomes the arc on the edge from k + 1 to k.
Outline Reversed(const Outline& o) {
    Outline r = o;
    const size_t n = o.vertices.size();
    for (size_t k = 0; k < n; ++k) {
        const Vertex& leaving = o.vertices[(2 * n - 2 - k) % n];
        r.vertices[k] = o.vertices[n - 1 - k];
        r.vertices[k].arc = leaving.arc;
        if (r.vertices[k].arc)
            r.vertices[k].arc->clockwise = !leaving.arc->clockwise;
    }
    std::rotate(r.vertices.begin(), r.vertices.begin() + 1, r.vertices.end());
    return r;
}

Outline Moved(Outline o, double dx, double dy) {
    for (Vertex& v : o.vertices) {
        v.x += dx, v.y += dy;
        if (v.arc)
            v.arc->center.x += dx, v.arc->center.y += dy;
    }
    return o;
}

void ExpectSameFigures(const quillform::OutlineMeasures& a, const quillform::OutlineMeasures& b,
                       double size, const std::string& where) {
    ASSERT_TRUE(a.finite && b.finite) << where;
    EXPECT_NEAR(a.area, b.area, 1e-12 * size * size) << where;
    EXPECT_NEAR(a.length, b.length, 1e-12 * size) << where;
    EXPECT_NEAR(a.hullArea, b.hullArea, 1e-12 * size * size) << where;
    EXPECT_NEAR(a.width, b.width, 1e-12 * size) << where;
    EXPECT_NEAR(a.minRectangle.width * a.minRectangle.height,
                b.minRectangle.width * b.minRectangle.height, 1e-12 * size * size)
        << where;
}

TEST(MeasureInvariance, DirectionStartAndPlace) {
    for (const char* file :
         {"rounded_rectangle.dxf", "plate_with_holes.dxf", "rotated_part.dxf", "slot.dxf"}) {
        const quillform::Drawing drawing = Read(file, false);
        for (const Shape& shape : drawing.layers[0].shapes) {
            for (const Outline& o : {static_cast<const Outline&>(shape),
                                     shape.holes.empty() ? Outline() : shape.holes[0]}) {
                if (o.kind != OutlineKind::Polygon || o.vertices.empty())
                    continue;
                const quillform::OutlineMeasures m = quillform::MeasureOutline(o);
                const double size = std::max(m.width, m.height);
                ExpectSameFigures(m, quillform::MeasureOutline(Reversed(o)), size,
                                  std::string(file) + " reversed");
                // Far from the origin the figures keep their digits.
                const quillform::OutlineMeasures far =
                    quillform::MeasureOutline(Moved(o, 3e6, -7e6));
                EXPECT_NEAR(far.area, m.area, 1e-9 * m.area) << file;
                EXPECT_NEAR(far.hullArea, m.hullArea, 1e-9 * m.hullArea) << file;
                EXPECT_NEAR(far.minRectangle.angle, m.minRectangle.angle, 1e-6) << file;
            }
        }
    }
}

} // namespace

// The hull's pieces cover the directions once, in order, each a proper
// stretch: for corners from Boost's hull and for the envelope, on outlines
// of many corners with sides that face the axes exactly.
TEST(MeasureHull, PiecesCoverEveryDirectionOnce) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> jitter(0.6, 1.0);
    for (int round = 0; round < 200; ++round) {
        const int n = 3 + round % 40;
        std::vector<Vertex> vertices;
        for (int k = 0; k < n; ++k) { // a star of n corners, every other one an arc start
            const double a = 2 * kPi * k / n, r = 10 * jitter(random);
            vertices.push_back(Corner(r * std::cos(a), r * std::sin(a)));
        }
        if (round % 3 == 0) // upright sides: a box with the star's corners below it
            vertices.insert(vertices.begin(), {Corner(12, -12), Corner(12, 12), Corner(-12, 12)});
        if (round % 2 == 1)
            for (size_t k = 0; k < vertices.size(); k += 2)
                vertices[k].arc = quillform::ArcEdge{{0, 0}, 0, false};
        for (size_t k = 0; k < vertices.size(); ++k) // arcs about the origin through their start
            if (vertices[k].arc)
                vertices[k].arc->radius = std::hypot(vertices[k].x, vertices[k].y);
        const quillform::detail::ConvexHull hull = quillform::detail::HullOf(Polygon(vertices));
        ASSERT_FALSE(hull.pieces.empty()) << round;
        EXPECT_EQ(hull.pieces.front().from, 0) << round;
        EXPECT_EQ(hull.pieces.back().to, 2 * kPi) << round;
        for (size_t k = 0; k < hull.pieces.size(); ++k) {
            EXPECT_LT(hull.pieces[k].from, hull.pieces[k].to) << round << " piece " << k;
            if (k + 1 < hull.pieces.size()) {
                EXPECT_EQ(hull.pieces[k].to, hull.pieces[k + 1].from) << round << " piece " << k;
            }
        }
    }
}
