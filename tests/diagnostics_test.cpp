// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// What a read reports besides its shapes: open chains and near misses,
// unused content, units, distance advice, layer selection and holes across
// layers, through drawings written by ezdxf (data/diagnostics/).
#include "reading.h"
#include "test_support.h"

#include "quillform/drawing.h"
#include "quillform/status.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {
std::string Drawing(const std::string& name) {
    return TestData("diagnostics/" + name + ".dxf");
}

quillform::Drawing Read(const std::string& name, quillform::Settings settings = {}) {
    return quillform::ReadDrawing(Drawing(name), settings);
}

const quillform::Layer* LayerNamed(const quillform::Drawing& d, const std::string& name) {
    for (const quillform::Layer& layer : d.layers)
        if (layer.name == name)
            return &layer;
    return nullptr;
}

int64_t IgnoredCount(const quillform::Drawing& d, const std::string& type) {
    for (const quillform::Ignored& content : d.ignored)
        if (content.type == type)
            return content.count;
    return 0;
}

bool Warned(const quillform::Drawing& d, const std::string& code) {
    for (const quillform::Warning& w : d.warnings)
        if (w.code == code)
            return true;
    return false;
}

// The plate halves miss each other by 0.005: at distance 0.001 both are
// open chains whatever the open-contour mode; the mode decides only what
// becomes of them.
class OpenChains : public testing::TestWithParam<int> {};

TEST_P(OpenChains, EveryChainThatDidNotCloseIsReportedWithItsEnds) {
    const int mode = GetParam();
    quillform::Settings settings;
    settings.distance = 0.001;
    settings.openMode = mode;
    const quillform::Drawing d = Read("gaps", settings);
    // Mode 2 stops at the first open chain.
    ASSERT_EQ(d.openChains.size(), mode == 2 ? 1u : 2u) << mode;
    const quillform::OpenChain& first = d.openChains[0];
    EXPECT_EQ(first.layer, "0");
    EXPECT_EQ(first.edges, 2);
    EXPECT_EQ(first.vertices.size(), 3u);
    EXPECT_EQ(first.first.x, 0);
    EXPECT_EQ(first.first.y, 0);
    EXPECT_EQ(first.last.x, 40);
    EXPECT_EQ(first.last.y, 29.995);
    EXPECT_NEAR(first.gap, std::hypot(40, 29.995), 1e-12);
    EXPECT_EQ(d.status & stOpenContour, mode == 2 ? stOpenContour : 0) << mode;
    // The results are what they were: the hole becomes a part of its own.
    const quillform::Layer* layer = LayerNamed(d, "0");
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->shapes.size(), mode == 0 ? 2u : mode == 1 ? 4u : 0u) << mode;
}

INSTANTIATE_TEST_SUITE_P(Modes, OpenChains, testing::Values(0, 1, 2));

TEST(OpenChains, SameFromBothEngines) {
    for (const quillform::Engine engine : {quillform::Engine::Fast, quillform::Engine::Reference}) {
        quillform::Settings settings;
        settings.distance = 0.001;
        settings.engine = engine;
        const quillform::Drawing d = Read("gaps", settings);
        ASSERT_EQ(d.openChains.size(), 2u);
        EXPECT_EQ(d.openChains[1].first.x, 40.005);
        EXPECT_EQ(d.openChains[1].last.y, 0.005);
    }
}

TEST(OpenChains, LooseEndsOfDifferentChainsCloseTogetherAreNamed) {
    quillform::Settings settings;
    settings.distance = 0.001;
    const quillform::Drawing d = Read("gaps", settings);
    ASSERT_EQ(d.nearMisses.size(), 2u);
    EXPECT_NEAR(d.nearMisses[0].distance, 0.005, 1e-12); // nearest first
    EXPECT_NE(d.nearMisses[0].chain, d.nearMisses[0].otherChain);
    EXPECT_NEAR(d.nearMisses[1].distance, std::hypot(0.005, 0.005), 1e-12);
    // Ten times the distance is the reach: at 0.0001 the ends are too far apart.
    settings.distance = 0.0001;
    EXPECT_TRUE(Read("gaps", settings).nearMisses.empty());
}

TEST(Census, WhatTheReaderDoesNotUseInEachMode) {
    quillform::Settings rules;
    rules.accurate = false;
    const quillform::Drawing literal = Read("census", rules);
    EXPECT_EQ(IgnoredCount(literal, "TEXT"), 2);
    EXPECT_EQ(IgnoredCount(literal, "MTEXT"), 1);
    EXPECT_EQ(IgnoredCount(literal, "HATCH"), 1);
    EXPECT_EQ(IgnoredCount(literal, "SPLINE"), 1);
    EXPECT_EQ(IgnoredCount(literal, "INSERT scale"), 1);
    for (const quillform::Ignored& content : literal.ignored)
        EXPECT_EQ(content.hint.empty(), content.type != "SPLINE" && content.type != "INSERT scale")
            << content.type;
    quillform::Settings accurate;
    accurate.accurate = true;
    const quillform::Drawing used = Read("census", accurate);
    EXPECT_EQ(IgnoredCount(used, "TEXT"), 2);
    EXPECT_EQ(IgnoredCount(used, "HATCH"), 1);
    EXPECT_EQ(IgnoredCount(used, "SPLINE"), 0);
    EXPECT_EQ(IgnoredCount(used, "INSERT scale"), 0);
}

struct UnitCase {
    const char* drawing;
    const char* unit;
    double millimetres;
};

class DrawingUnits : public testing::TestWithParam<UnitCase> {};

TEST_P(DrawingUnits, FromTheHeader) {
    const UnitCase& c = GetParam();
    const quillform::Drawing d = Read(c.drawing);
    EXPECT_EQ(d.unit.name, c.unit) << c.drawing;
    EXPECT_EQ(d.unit.millimetres, c.millimetres) << c.drawing;
}

INSTANTIATE_TEST_SUITE_P(Header, DrawingUnits,
                         testing::Values(UnitCase{"units_inch", "in", 25.4},
                                         UnitCase{"units_mm", "mm", 1},
                                         UnitCase{"units_unitless", "unknown", 0},
                                         UnitCase{"units_measurement_imperial", "in", 25.4}),
                         [](const testing::TestParamInfo<UnitCase>& info) {
                             return std::string(info.param.drawing);
                         });

TEST(DrawingUnits, LengthsConvertedToAnotherUnit) {
    quillform::Drawing d = Read("units_inch");
    std::string error;
    ASSERT_TRUE(quillform::ConvertUnits(d, "mm", &error)) << error;
    const quillform::Shape& part = LayerNamed(d, "0")->shapes.at(0);
    EXPECT_DOUBLE_EQ(part.bounds.maxX, 25.4);
    EXPECT_DOUBLE_EQ(part.holes.at(0).circle.radius, 0.125 * 25.4);
    EXPECT_EQ(d.lengths.name, "mm");
    EXPECT_EQ(d.unit.name, "in");
    quillform::Drawing unitless = Read("units_unitless");
    EXPECT_FALSE(quillform::ConvertUnits(unitless, "mm", &error));
    EXPECT_EQ(LayerNamed(unitless, "0")->shapes.at(0).bounds.maxX, 1);
}

TEST(DistanceAdvice, AOneInchPartAtTheDefaultDistance) {
    const quillform::Drawing d = Read("units_inch");
    ASSERT_TRUE(Warned(d, "distanceTooLarge"));
    for (const quillform::Warning& w : d.warnings) {
        if (w.code == "distanceTooLarge") {
            EXPECT_NE(w.message.find("(1 in)"), std::string::npos) << w.message;
        }
    }
    quillform::Settings fine;
    fine.distance = 1e-6;
    EXPECT_FALSE(Warned(Read("units_inch", fine), "distanceTooLarge"));
}

// The advice measures only the layers that are read (the plate and its holes
// span 160 mm, the holes alone 68 mm, the mark 20 mm), under either rules.
TEST(DistanceAdvice, MeasuresOnlyTheLayersRead) {
    struct Case {
        std::vector<std::string> only, except;
        const char* size; // in the advice, or none
    };
    const Case cases[] = {{{}, {}, nullptr},
                          {{"MARK"}, {}, "(20 mm)"},
                          {{}, {"CUT", "DRILL"}, "(20 mm)"},
                          {{"DRILL"}, {}, "(68 mm)"}};
    for (const bool accurate : {false, true})
        for (const Case& c : cases) {
            quillform::Settings settings;
            settings.accurate = accurate;
            settings.layers = c.only;
            settings.excludedLayers = c.except;
            const quillform::Drawing d = Read("drill_layer", settings);
            const auto advice =
                std::find_if(d.warnings.begin(), d.warnings.end(), [](const quillform::Warning& w) {
                    return w.code == "distanceTooLarge";
                });
            SCOPED_TRACE(std::string(accurate ? "accurate " : "literal ") +
                         (c.size ? c.size : "no advice"));
            if (!c.size) {
                EXPECT_EQ(advice, d.warnings.end());
                continue;
            }
            ASSERT_NE(advice, d.warnings.end());
            EXPECT_NE(advice->message.find(c.size), std::string::npos) << advice->message;
        }
}

TEST(LayerSelection, OnlyAndExceptLayers) {
    quillform::Settings only;
    only.layers = {"DRILL"};
    const quillform::Drawing drill = Read("drill_layer", only);
    ASSERT_EQ(drill.layers.size(), 1u);
    EXPECT_EQ(drill.layers[0].name, "DRILL");
    EXPECT_EQ(drill.layers[0].shapes.size(), 3u);
    quillform::Settings except;
    except.excludedLayers = {"DRILL", "MARK"};
    const quillform::Drawing cut = Read("drill_layer", except);
    EXPECT_EQ(LayerNamed(cut, "DRILL"), nullptr);
    ASSERT_NE(LayerNamed(cut, "CUT"), nullptr);
    EXPECT_EQ(LayerNamed(cut, "CUT")->shapes.size(), 1u);
}

TEST(LayerSelection, EventsStillReportEveryLayer) {
    const auto logOf = [](bool selected) {
        EventRecorder recorder;
        quillform::Settings settings;
        if (selected)
            settings.layers = {"CUT"};
        quillform::ReadDrawing(Drawing("drill_layer"), settings, recorder.Events());
        return recorder.lines;
    };
    const auto all = logOf(false);
    EXPECT_FALSE(all.empty());
    EXPECT_EQ(logOf(true), all);
}

TEST(HolesAcrossLayers, DrillHolesBecomeHolesOfThePlate) {
    const quillform::Drawing apart = Read("drill_layer");
    EXPECT_EQ(LayerNamed(apart, "DRILL")->shapes.size(), 3u);
    for (const quillform::Engine engine : {quillform::Engine::Fast, quillform::Engine::Reference}) {
        quillform::Settings across;
        across.holesAcrossLayers = true;
        across.engine = engine;
        const quillform::Drawing d = Read("drill_layer", across);
        const quillform::Layer* cut = LayerNamed(d, "CUT");
        ASSERT_EQ(cut->shapes.size(), 1u);
        EXPECT_EQ(cut->shapes[0].holes.size(), 3u);
        EXPECT_TRUE(LayerNamed(d, "DRILL")->shapes.empty());
        EXPECT_EQ(LayerNamed(d, "MARK")->shapes.size(), 1u); // nothing around it
    }
}

TEST(HolesAcrossLayers, RealDrawingWithHolesOnTheirOwnLayer) {
    quillform::Settings across;
    across.holesAcrossLayers = true;
    const quillform::Drawing d = quillform::ReadDrawing(
        std::string(QUILLFORM_REAL_DRAWINGS) + "/ezgen_multilayer_nonascii_layers_r2013.dxf",
        across);
    ASSERT_TRUE(d.Read());
    const quillform::Layer* outline = LayerNamed(d, "Außenkontur");
    ASSERT_NE(outline, nullptr);
    ASSERT_FALSE(outline->shapes.empty());
    EXPECT_GT(outline->shapes[0].holes.size(), 0u);
    const quillform::Layer* holes = LayerNamed(d, "Bohrungen_Ø");
    ASSERT_NE(holes, nullptr);
    EXPECT_TRUE(holes->shapes.empty());
}
} // namespace
