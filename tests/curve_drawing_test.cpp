// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Ellipses and splines in drawings written by ezdxf
// (tests/data/accurate/make_curves.py): the accurate mode's fitted outlines
// against ezdxf's own evaluation of the same curves, and the removal of
// duplicates and of outlines without area.
#include "reading.h"
#include "test_support.h"

#include "quillform/drawing.h"
#include "quillform/status.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

namespace {
constexpr double kCurveTolerance = 1e-3;

TReadOutcome ReadAccurate(const std::string& name, double distance = 1e-6) {
    return ReadDrawing(TestData("accurate/" + name + ".dxf"), [distance](TDXFQuillform& r) {
        r.SetLinkingDistance(distance);
        r.SetAccurateGeometry(1);
        r.SetCurveTolerance(kCurveTolerance);
    });
}

struct Measure {
    double area = 0;
    double box[4] = {0, 0, 0, 0};
    std::vector<Measure> holes;
};

Measure Measured(const TBaseShape& shape) {
    Measure m;
    m.area = OutlineArea(shape);
    m.box[0] = shape.Bounds.MinX;
    m.box[1] = shape.Bounds.MinY;
    m.box[2] = shape.Bounds.MaxX;
    m.box[3] = shape.Bounds.MaxY;
    return m;
}

Measure FromJson(const nlohmann::json& j) {
    Measure m;
    m.area = j.at("area").get<double>();
    for (int k = 0; k < 4; ++k)
        m.box[k] = j.at("box").at(k).get<double>();
    if (j.contains("holes"))
        for (const auto& hole : j.at("holes"))
            m.holes.push_back(FromJson(hole));
    return m;
}

void SortByBox(std::vector<Measure>& list) {
    std::sort(list.begin(), list.end(), [](const Measure& a, const Measure& b) {
        return std::make_pair(a.box[0], a.box[1]) < std::make_pair(b.box[0], b.box[1]);
    });
}

// Fitted arcs stray from the curve by at most the tolerance, so a box moves
// by at most that much and an area by at most the perimeter times it.
void ExpectWithinTolerance(const Measure& ours, const Measure& theirs, const std::string& where) {
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(ours.box[k], theirs.box[k], 2 * kCurveTolerance) << where << " box " << k;
    const double perimeter =
        2 * ((theirs.box[2] - theirs.box[0]) + (theirs.box[3] - theirs.box[1]));
    EXPECT_NEAR(ours.area, theirs.area, 2 * kCurveTolerance * perimeter) << where << " area";
}

class CurvesAgainstEzdxf : public testing::TestWithParam<const char*> {};

TEST_P(CurvesAgainstEzdxf, ShapesAndHolesWithinTheCurveTolerance) {
    const std::string name = GetParam();
    std::ifstream file(TestData("accurate/" + name + ".expect.json"));
    ASSERT_TRUE(file) << name;
    const nlohmann::json document = nlohmann::json::parse(file);
    std::vector<Measure> expected;
    for (const auto& shape : document.at("shapes"))
        expected.push_back(FromJson(shape));
    const TReadOutcome r = ReadAccurate(name);
    ASSERT_EQ(r.status, 0) << name;
    const int layer = r.LayerIndex("0");
    ASSERT_GE(layer, 0) << name;
    std::vector<Measure> actual;
    const TFixedSizeLayer& shapes = r.copy.Layers[layer];
    for (int32_t j = 0; j < shapes.ShapeCount; ++j) {
        Measure m = Measured(shapes.Shapes[j]);
        for (int32_t h = 0; h < shapes.Shapes[j].HoleCount; ++h)
            m.holes.push_back(Measured(shapes.Shapes[j].Holes[h]));
        actual.push_back(m);
    }
    ASSERT_EQ(actual.size(), expected.size()) << name;
    SortByBox(actual);
    SortByBox(expected);
    for (size_t j = 0; j < actual.size(); ++j) {
        const std::string where = name + " shape " + std::to_string(j);
        ExpectWithinTolerance(actual[j], expected[j], where);
        ASSERT_EQ(actual[j].holes.size(), expected[j].holes.size()) << where;
        SortByBox(actual[j].holes);
        SortByBox(expected[j].holes);
        for (size_t h = 0; h < actual[j].holes.size(); ++h)
            ExpectWithinTolerance(actual[j].holes[h], expected[j].holes[h],
                                  where + " hole " + std::to_string(h));
    }
}

INSTANTIATE_TEST_SUITE_P(Drawings, CurvesAgainstEzdxf,
                         testing::Values("ellipse_plate", "spline_part", "periodic_unclamped",
                                         "periodic_clamped", "fit_points", "rational_circle",
                                         "scaled_circle", "mirrored_ellipse"));

TEST(AccurateCurves, RationalCircleComesOutAsArcsOfThatCircle) {
    const TReadOutcome r = ReadAccurate("rational_circle");
    ASSERT_EQ(r.ShapeCount("0"), 1);
    const TShapeWithHoles& plate = r.copy.Layers[r.LayerIndex("0")].Shapes[0];
    ASSERT_EQ(plate.HoleCount, 1);
    const TPolygon& hole = *plate.Holes[0].Polygon;
    ASSERT_GE(hole.Count, 1);
    for (int32_t k = 0; k < hole.Count; ++k) {
        ASSERT_TRUE(hole.Arcs[k].IsArc) << k;
        EXPECT_NEAR(hole.Arcs[k].CenterX, 20, 1e-9) << k;
        EXPECT_NEAR(hole.Arcs[k].CenterY, 20, 1e-9) << k;
        EXPECT_NEAR(hole.Arcs[k].Radius, 8, 1e-9) << k;
    }
}

TEST(AccurateCurves, DefaultModeLeavesCurvesOut) {
    const TReadOutcome r = ReadDrawing(TestData("accurate/ellipse_plate.dxf"));
    ASSERT_EQ(r.ShapeCount("0"), 1);
    EXPECT_EQ(r.copy.Layers[r.LayerIndex("0")].Shapes[0].HoleCount, 0);
}

int64_t WarningCount(const TReadOutcome& r, const std::string& code) {
    int64_t count = 0;
    for (const quillform::Warning& w : r.report.warnings)
        if (w.code == code)
            count += w.count;
    return count;
}

TEST(AccurateCurves, DuplicatesAreRemovedAndCounted) {
    const TReadOutcome r = ReadAccurate("duplicates", 1e-9);
    EXPECT_EQ(WarningCount(r, "duplicates"), 5); // a line, an arc, a circle, two squares
    ASSERT_EQ(r.ShapeCount("0"), 2);
    const TFixedSizeLayer& layer = r.copy.Layers[r.LayerIndex("0")];
    EXPECT_EQ(layer.Shapes[0].HoleCount + layer.Shapes[1].HoleCount, 1);
    // Without the rule every double cut stays: the squares nest in each other.
    const TReadOutcome literal = ReadDrawing(TestData("accurate/duplicates.dxf"));
    EXPECT_GT(literal.ShapeCount("0"), 2);
}

TEST(AccurateCurves, OutlinesWithoutAreaAreNeitherShapesNorHoles) {
    const TReadOutcome r = ReadAccurate("degenerate");
    EXPECT_EQ(WarningCount(r, "degenerateOutlines"), 2);
    EXPECT_EQ(r.ShapeCount("0"), 1);
    EXPECT_EQ(ReadDrawing(TestData("accurate/degenerate.dxf")).ShapeCount("0"), 3);
}
} // namespace

// A spline that would need more than 100 000 arcs and lines within the curve
// tolerance (make_too_complex.py) is left out with a warning on its layer;
// the rest of the drawing is read as usual, by either engine. (One test per
// engine, so that the two slow fits can run in parallel.)
class CurveOverTheEdgeLimit : public testing::TestWithParam<quillform::Engine> {};

TEST_P(CurveOverTheEdgeLimit, IsLeftOutWithAWarning) {
    quillform::Settings settings;
    settings.accurate = true;
    settings.engine = GetParam();
    settings.openMode = quillform::kKeepOpenContours; // a fitted curve would show as a shape
    const quillform::Drawing drawing =
        quillform::ReadDrawing(TestData("accurate/too_complex_spline.dxf"), settings);
    EXPECT_TRUE(drawing.Read());
    const auto warning =
        std::find_if(drawing.warnings.begin(), drawing.warnings.end(),
                     [](const quillform::Warning& w) { return w.code == "curveTooComplex"; });
    ASSERT_NE(warning, drawing.warnings.end());
    EXPECT_EQ(warning->layer, "WAVY");
    EXPECT_EQ(warning->count, 1);
    EXPECT_NE(warning->message.find("100000 edges"), std::string::npos) << warning->message;
    for (const quillform::Layer& layer : drawing.layers) {
        if (layer.name == "WAVY") {
            EXPECT_TRUE(layer.shapes.empty());
        }
        if (layer.name == "PLATE") {
            ASSERT_EQ(layer.shapes.size(), 1u);
            EXPECT_EQ(layer.shapes[0].vertices.size(), 4u);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, CurveOverTheEdgeLimit,
                         testing::Values(quillform::Engine::Fast, quillform::Engine::Reference));
