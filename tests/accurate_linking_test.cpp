// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Linking in accurate geometry, through drawings users reported (written
// with ezdxf, tests/data/accurate/README.md): split fillets, short corner
// arcs and tiny arcs at joints must give the outline a CAD program shows.
#include "test_support.h"

#include "quillform/drawing.h"
#include "quillform/outline_measures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {
constexpr double kPi = 3.14159265358979323846;

struct Reported {
    const char* file;
    double distance;
    const char* layer;
    double area; // of the one shape the layer should hold
    // The largest turn of any arc edge, in degrees: an arc moved onto a
    // neighbour's end must not run the long way round.
    double largestTurn;
};

// Areas: the drawings' own geometry (a 20 x 10 plate with r 0.5 corners is
// 200 - (4 - pi) / 4), or ezdxf's flattening of the spline closed by its line.
const Reported kReported[] = {
    {"tiny_fillet_arc", 0.01, "0", 200 - (4 - kPi) / 4, 90.001},
    {"short_corner_arcs", 1, "0", 200 - (4 - kPi) / 4, 90.001},
    {"short_arc_at_joint", 0.05, "0", 400.040028, 1},
    {"rational_spline_end", 0.05, "ETCH", 103.67614208758624, 180},
    {"tiny_arc_in_outline", 0.01, "0", 100.025, 1},
};

double TurnDegrees(const quillform::Vertex& from, const quillform::Vertex& to) {
    const quillform::ArcEdge& arc = *from.arc;
    const double a = std::atan2(from.y - arc.center.y, from.x - arc.center.x);
    const double b = std::atan2(to.y - arc.center.y, to.x - arc.center.x);
    double turn = std::fmod((arc.clockwise ? a - b : b - a) + 4 * kPi, 2 * kPi);
    if (turn == 0)
        turn = 2 * kPi;
    return turn * 180 / kPi;
}

double LargestTurn(const quillform::Shape& shape) {
    double largest = 0;
    const auto& v = shape.vertices;
    for (size_t k = 0; k < v.size(); ++k)
        if (v[k].arc)
            largest = std::max(largest, TurnDegrees(v[k], v[(k + 1) % v.size()]));
    return largest;
}

const quillform::Layer* LayerNamed(const quillform::Drawing& drawing, const std::string& name) {
    for (const quillform::Layer& layer : drawing.layers)
        if (layer.name == name)
            return &layer;
    return nullptr;
}

class ReportedDrawing : public testing::TestWithParam<Reported> {};

TEST_P(ReportedDrawing, GivesTheOutlineACadProgramShows) {
    const Reported& r = GetParam();
    for (const auto engine : {quillform::Engine::Fast, quillform::Engine::Reference}) {
        quillform::Settings settings;
        settings.accurate = true;
        settings.distance = r.distance;
        settings.engine = engine;
        const quillform::Drawing drawing =
            quillform::ReadDrawing(TestData(std::string("accurate/") + r.file + ".dxf"), settings);
        const std::string where = std::string(r.file) + " " + quillform::EngineName(engine);
        int shapes = 0;
        for (const quillform::Layer& layer : drawing.layers)
            shapes += static_cast<int>(layer.shapes.size());
        EXPECT_EQ(shapes, 1) << where;
        const quillform::Layer* layer = LayerNamed(drawing, r.layer);
        ASSERT_NE(layer, nullptr) << where;
        ASSERT_EQ(layer->shapes.size(), 1u) << where;
        const quillform::Shape& shape = layer->shapes[0];
        EXPECT_TRUE(shape.holes.empty()) << where;
        EXPECT_NEAR(quillform::MaterialArea(shape), r.area, 1e-6 * r.area) << where;
        EXPECT_LE(LargestTurn(shape), r.largestTurn) << where;
    }
}

INSTANTIATE_TEST_SUITE_P(Accurate, ReportedDrawing, testing::ValuesIn(kReported));

// The literal rules keep the first end found: the split fillet's 0.01 degree
// arc is passed over and closes on itself as a circle of its own.
TEST(LiteralLinking, KeepsTheFirstEndFound) {
    quillform::Settings settings;
    settings.accurate = false;
    settings.distance = 0.01;
    const quillform::Drawing drawing =
        quillform::ReadDrawing(TestData("accurate/tiny_fillet_arc.dxf"), settings);
    const quillform::Layer* layer = LayerNamed(drawing, "0");
    ASSERT_NE(layer, nullptr);
    ASSERT_EQ(layer->shapes.size(), 2u);
    EXPECT_EQ(layer->shapes[1].vertices.size(), 1u);
}
} // namespace
