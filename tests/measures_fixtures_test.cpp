// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Measures over every drawing of tests/data: hulls kept exact (arcs never
// sampled), no negative side or length (flat outlines round near zero), and
// a part's figures the same whether its holes' own figures are asked for or
// not. Parts whose sums pass what a double holds have none.
#include "measure/convex_hull.h"

#include "quillform/drawing.h"
#include "quillform/measures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {
std::vector<std::string> EveryFixture() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(QUILLFORM_TEST_DATA))
        if (entry.path().extension() == ".dxf")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

bool SameFigures(const quillform::PartMeasures& a, const quillform::PartMeasures& b) {
    return a.finite == b.finite && a.area == b.area && a.cutLength == b.cutLength &&
           a.pierces == b.pierces && a.width == b.width && a.height == b.height &&
           a.minRectangle.width == b.minRectangle.width && a.hullArea == b.hullArea &&
           a.smallestHole == b.smallestHole && a.smallestRadius == b.smallestRadius;
}

bool SameFigures(const quillform::OutlineMeasures& a, const quillform::OutlineMeasures& b) {
    return a.finite == b.finite && a.area == b.area && a.length == b.length &&
           a.hullArea == b.hullArea && a.minRectangle.width == b.minRectangle.width &&
           a.smallestRadius == b.smallestRadius;
}

void CheckPart(const quillform::Shape& shape, const std::string& where) {
    const quillform::detail::ConvexHull hull = quillform::detail::HullOf(shape);
    EXPECT_TRUE(!hull.finite || hull.exact) << where << ": hull from sampled arcs";
    std::vector<quillform::OutlineMeasures> holes;
    const quillform::PartMeasures part = quillform::MeasurePart(shape, &holes);
    EXPECT_TRUE(SameFigures(part, quillform::MeasurePart(shape))) << where;
    ASSERT_EQ(holes.size(), shape.holes.size()) << where;
    if (part.finite) {
        EXPECT_GE(part.minRectangle.width, 0) << where;
        EXPECT_GE(part.minRectangle.height, 0) << where;
        EXPECT_GE(part.hullArea, 0) << where;
        EXPECT_GE(part.cutLength, 0) << where;
    }
    for (size_t h = 0; h < holes.size(); ++h) {
        const quillform::detail::ConvexHull holeHull = quillform::detail::HullOf(shape.holes[h]);
        EXPECT_TRUE(!holeHull.finite || holeHull.exact) << where << " hole " << h;
        EXPECT_TRUE(SameFigures(holes[h], quillform::MeasureOutline(shape.holes[h])))
            << where << " hole " << h;
    }
}

TEST(MeasuresOfFixtures, ExactHullsAndTheHolesFiguresFromTheSamePass) {
    const std::vector<std::string> files = EveryFixture();
    ASSERT_GT(files.size(), 100u);
    size_t parts = 0;
    for (const std::string& file : files)
        for (const bool accurate : {false, true}) {
            quillform::Settings settings;
            settings.accurate = accurate;
            const quillform::Drawing drawing = quillform::ReadDrawing(file, settings);
            for (const quillform::Layer& layer : drawing.layers)
                for (size_t k = 0; k < layer.shapes.size(); ++k, ++parts)
                    CheckPart(layer.shapes[k], file + (accurate ? " accurate " : " literal ") +
                                                   layer.name + " " + std::to_string(k));
        }
    EXPECT_GT(parts, 700u);
}

quillform::Outline Line(double from, double to) {
    quillform::Outline line;
    line.vertices = {{from, 0, std::nullopt}, {to, 0, std::nullopt}};
    return line;
}

// Outlines that enclose nothing have finite figures however long they are;
// a part of two such, each under the largest double, sums past it.
TEST(MeasuresOfFixtures, APartWhoseCutLengthOverflowsHasNoFigures) {
    quillform::Shape part;
    static_cast<quillform::Outline&>(part) = Line(0, 8e307);
    part.holes = {Line(0, 8e307)};
    std::vector<quillform::OutlineMeasures> holes;
    EXPECT_TRUE(quillform::MeasureOutline(part).finite);
    EXPECT_FALSE(quillform::MeasurePart(part, &holes).finite);
    ASSERT_EQ(holes.size(), 1u);
    EXPECT_TRUE(holes[0].finite);
    EXPECT_EQ(holes[0].length, 1.6e308);
    part.holes = {Line(0, 1)};
    EXPECT_TRUE(quillform::MeasurePart(part).finite);
}
} // namespace
