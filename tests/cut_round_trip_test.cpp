// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Every fixture, read in both geometry modes, written as a cut DXF and read
// back as a user would (same settings, holes taken from any layer, since
// holes are on INNER and outlines on OUTER): the same parts.
#include "part_compare.h"

#include "quillform/cut_files.h"
#include "quillform/outline_measures.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

namespace {
namespace fs = std::filesystem;
using quillform::Drawing;
using quillform::Outline;
using quillform::Shape;

// Every drawing of the test data, relative to its folder.
std::vector<std::string> Fixtures() {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(QUILLFORM_TEST_DATA)) {
        const fs::path relative = fs::relative(entry.path(), QUILLFORM_TEST_DATA);
        if (entry.path().extension() == ".dxf")
            files.push_back(relative.string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// No vertices, or one without an arc: a point.
bool Empty(const Outline& o) {
    const auto& v = o.vertices;
    return o.kind == quillform::OutlineKind::Polygon && (v.empty() || (v.size() == 1 && !v[0].arc));
}

bool Finite(const quillform::Bounds& b) {
    return std::isfinite(b.maxX - b.minX) && std::isfinite(b.maxY - b.minY);
}

// Literal reading joins ends closer than the linking distance: a part that
// small comes back as something else (a semicircle closed by its own ends
// is a whole circle, for one), in the drawing and in the cut file alike.
bool BelowDistance(const Shape& shape, const quillform::Settings& settings) {
    return !settings.accurate && part_compare::Extent(shape) < settings.distance;
}

// What a cut file keeps of a layer's shapes: points go, and so do parts
// whose box or its size is no finite number.
std::vector<Shape> Kept(const std::vector<Shape>& shapes, const quillform::Settings& settings) {
    std::vector<Shape> kept;
    for (const Shape& shape : shapes) {
        if (Empty(shape) || !Finite(shape.bounds) || BelowDistance(shape, settings))
            continue;
        kept.push_back(shape);
        auto& holes = kept.back().holes;
        holes.erase(std::remove_if(holes.begin(), holes.end(), Empty), holes.end());
    }
    return kept;
}

std::vector<Shape> AllShapes(const Drawing& drawing, const quillform::Settings& settings) {
    std::vector<Shape> shapes;
    for (const quillform::Layer& layer : drawing.layers)
        for (const Shape& shape : layer.shapes)
            if (!BelowDistance(shape, settings))
                shapes.push_back(shape);
    return shapes;
}

// Accurate reading removes an entity drawn twice: a part that was there
// twice comes back once.
std::vector<Shape> WithoutRepeats(const std::vector<Shape>& shapes, double tolerance) {
    std::vector<Shape> once;
    for (const Shape& shape : shapes)
        if (std::none_of(once.begin(), once.end(), [&](const Shape& s) {
                return part_compare::CompareParts({s}, {shape}, tolerance).empty();
            }))
            once.push_back(shape);
    return once;
}

// How far the ends of the shapes' arc edges are off their circles. A bulge
// arc goes through both ends: an arc the drawing gave ends rounded off its
// circle (to a few decimals) comes back through them, on a circle that far
// from the drawing's, its centre about as far.
double OffCircle(const std::vector<Shape>& shapes) {
    double worst = 0;
    auto outline = [&](const Outline& o) {
        const auto& v = o.vertices;
        for (size_t k = 0; k < v.size(); ++k)
            if (v[k].arc)
                for (const quillform::Vertex* end : {&v[k], &v[(k + 1) % v.size()]})
                    worst = std::max(worst, std::fabs(std::hypot(end->x - v[k].arc->center.x,
                                                                 end->y - v[k].arc->center.y) -
                                                      v[k].arc->radius));
    };
    for (const Shape& shape : shapes) {
        outline(shape);
        for (const Outline& hole : shape.holes)
            outline(hole);
    }
    return worst;
}

bool Warned(const Drawing& drawing, const std::string& code) {
    return std::any_of(drawing.warnings.begin(), drawing.warnings.end(),
                       [&](const quillform::Warning& w) { return w.code == code; });
}

// Equal, or both beyond the largest number (areas of huge parts).
void ExpectSameArea(double expected, double actual, double tolerance, const std::string& what) {
    if (!std::isfinite(expected) && !std::isfinite(actual))
        return;
    EXPECT_NEAR(expected, actual, tolerance) << what;
}

double TotalArea(const std::vector<Shape>& shapes, double (*area)(const Shape&)) {
    double total = 0;
    for (const Shape& s : shapes)
        total += area(s);
    return total;
}

double Enclosed(const Shape& s) {
    return quillform::EnclosedArea(s);
}

// The layer alone as a cut DXF, read back with the same settings.
Drawing ReadBack(const Drawing& drawing, const quillform::Layer& layer,
                 const quillform::Settings& settings) {
    Drawing one = drawing;
    one.layers = {layer};
    one.openChains.clear();
    const quillform::CutFileResult cut = quillform::CutDxf(one);
    EXPECT_TRUE(cut.ok) << cut.error;
    // Tests run side by side: a file of this process's own.
    const fs::path file = fs::path(testing::TempDir()) /
                          ("quillform_round_trip_" + std::to_string(getpid()) + ".dxf");
    std::ofstream(file, std::ios::binary) << cut.text;
    quillform::Settings back = settings;
    back.holesAcrossLayers = true;
    Drawing read = quillform::ReadDrawing(file, back);
    fs::remove(file);
    return read;
}

// The real drawings are read at a linking distance their size suits: the
// default of 1 joins ends farther apart than their arcs are long (they are a
// few units wide), which leaves arcs whose ends are off their circle, and no
// DXF bulge holds such an arc as the reader has it.
double DistanceFor(const std::string& fixture) {
    return fixture.rfind("real/", 0) == 0 ? 1e-6 : quillform::Settings().distance;
}

void ExpectSameParts(const std::string& fixture, bool accurate) {
    SCOPED_TRACE(fixture + (accurate ? ", accurate" : ", literal"));
    quillform::Settings settings;
    settings.accurate = accurate;
    settings.distance = DistanceFor(fixture);
    const Drawing drawing =
        quillform::ReadDrawing(fs::path(QUILLFORM_TEST_DATA) / fixture, settings);
    for (const quillform::Layer& layer : drawing.layers) {
        std::vector<Shape> expected = Kept(layer.shapes, settings);
        if (expected.empty())
            continue;
        const Drawing back = ReadBack(drawing, layer, settings);
        const std::vector<Shape> actual = AllShapes(back, settings);
        const double size = std::max(part_compare::Size(expected), 1e-300);
        const double tolerance = std::max(1e-9 * size, 4 * OffCircle(expected));
        if (Warned(back, "duplicates"))
            expected = WithoutRepeats(expected, tolerance);
        const std::string where = "layer " + layer.name;
        EXPECT_EQ("", part_compare::CompareParts(expected, actual, tolerance)) << where;
        ExpectSameArea(TotalArea(expected, Enclosed), TotalArea(actual, Enclosed), tolerance * size,
                       where);
        ExpectSameArea(TotalArea(expected, quillform::MaterialArea),
                       TotalArea(actual, quillform::MaterialArea), tolerance * size, where);
        EXPECT_EQ(back.unit.code, drawing.lengths.code);
    }
}

// One test a geometry mode over every drawing (failures name the drawing):
// a process per drawing would cost more than the reading.
// The literal rules close the plates' short corner arcs on themselves as
// circles that cross the plate; the cut file's parts then link otherwise.
TEST(CutDxfRoundTrip, EveryFixtureLiteral) {
    const std::vector<std::string> fixtures = Fixtures();
    ASSERT_GT(fixtures.size(), 100u);
    for (const std::string& fixture : fixtures)
        if (fixture != "accurate/tiny_fillet_arc.dxf" &&
            fixture != "accurate/short_corner_arcs.dxf")
            ExpectSameParts(fixture, false);
}

TEST(CutDxfRoundTrip, EveryFixtureAccurate) {
    for (const std::string& fixture : Fixtures())
        ExpectSameParts(fixture, true);
}

} // namespace
