// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The preflight check on drawings made to hold one fault each (written by
// tests/data/check/make_check_fixtures.py): each finding where the fault
// is, in both engines and both geometry modes; no error or warning on clean
// drawings; overlapping edges merged in accurate mode.
#include "test_support.h"

#include "sheet_writer.h"

#include "quillform/check.h"
#include "quillform/drawing.h"
#include "quillform/measures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {
using quillform::CheckOptions;
using quillform::Drawing;
using quillform::Finding;
using quillform::Point;
using quillform::Severity;

struct Case {
    const char* file;
    const char* code;
    Severity severity;
    std::vector<Point> places; // the finding lies at one of these
    std::optional<double> value;
    std::optional<double> limit;
    bool literalOnly = false; // accurate geometry mends it before it can be found
};

// Sheet 3 thick, a plasma's kerf of 5, on a sheet 100 x 100.
CheckOptions Limits() {
    CheckOptions o;
    o.thickness = 3;
    o.kerf = 5;
    o.sheetWidth = o.sheetHeight = 100;
    return o;
}

const double kQuarterArc = 10 * 3.141592653589793 / 4;

const std::vector<Case> kCases = {
    {"open_chain", "openChain", Severity::Error, {{0, 0}, {0, 30}}, 30, std::nullopt},
    {"self_intersection", "selfIntersection", Severity::Error, {{20, 15}}, {}, {}},
    {"outlines_cross", "outlinesCross", Severity::Error, {{40, 10}, {20, 40}}, {}, {}},
    {"circles_cross", "outlinesCross", Severity::Error, {{6, 8}, {6, -8}}, {}, {}},
    {"vertex_crossing", "outlinesCross", Severity::Error, {{10, 5}, {5, 10}}, {}, {}},
    {"overlapping_lines", "overlappingEdges", Severity::Warning, {{35, 0}}, 30, {}},
    {"line_over_polyline", "overlappingEdges", Severity::Warning, {{35, 0}}, 30, {}},
    {"line_past_polyline", "overlappingEdges", Severity::Warning, {{45, 0}}, 10, {}},
    {"overlapping_arcs",
     "overlappingEdges",
     Severity::Warning,
     {{-3.826834323650898, 9.238795325112868}},
     kQuarterArc,
     {}},
    {"duplicate_outline",
     "duplicateOutline",
     Severity::Warning,
     {{0, 0}, {30, 0}, {30, 30}, {0, 30}},
     {},
     {},
     true},
    {"small_hole", "smallHole", Severity::Warning, {{25, 25}}, 2, 3},
    {"narrow_web", "narrowWeb", Severity::Warning, {{40.5, 25}}, 1, 3},
    {"tight_corner",
     "tightCorner",
     Severity::Info,
     {{199.41421356237310, 100.58578643762690}},
     2,
     2.5},
    {"text_not_outlined", "textNotOutlined", Severity::Warning, {{5, 5}}, 1, {}},
    {"tiny_entities", "tinyEntities", Severity::Info, {{70, 70}}, 2, {}},
    {"larger_than_sheet", "partLargerThanSheet", Severity::Error, {{60, 40}}, 120, 100},
    {"island", "islandFallsOut", Severity::Info, {{25, 25}}, {}, {}},
    {"inch_read_as_mm", "unitsSuspect", Severity::Warning, {{0, 0}}, 1.5, {}},
    {"points_read_as_mm", "unitsSuspect", Severity::Warning, {{0, 0}}, 20000, {}},
    {"unit_unknown", "unitsUnknown", Severity::Info, {{0, 0}}, {}, {}},
};

Drawing Read(const std::string& file, bool accurate, quillform::Engine engine) {
    quillform::Settings s;
    s.accurate = accurate;
    s.engine = engine;
    return quillform::ReadDrawing(TestData("check/" + file + ".dxf"), s);
}

std::vector<Finding> WithCode(const std::vector<Finding>& all, const std::string& code) {
    std::vector<Finding> found;
    for (const Finding& f : all)
        if (f.code == code)
            found.push_back(f);
    return found;
}

bool At(const Point& p, const std::vector<Point>& places) {
    for (const Point& q : places)
        if (std::fabs(p.x - q.x) < 1e-6 && std::fabs(p.y - q.y) < 1e-6)
            return true;
    return false;
}

std::string Describe(const Finding& f) {
    char text[160];
    std::snprintf(text, sizeof text, "%s at (%.9g, %.9g)", f.code.c_str(), f.location.x,
                  f.location.y);
    return text;
}

class CheckFindings : public testing::TestWithParam<std::tuple<bool, quillform::Engine>> {};

TEST_P(CheckFindings, EachFaultIsFoundWhereItIs) {
    const auto [accurate, engine] = GetParam();
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.file);
        if (accurate && c.literalOnly)
            continue;
        const Drawing d = Read(c.file, accurate, engine);
        const std::vector<Finding> found = WithCode(quillform::Check(d, Limits()), c.code);
        ASSERT_EQ(found.size(), 1u);
        const Finding& f = found.front();
        EXPECT_EQ(f.severity, c.severity);
        EXPECT_TRUE(At(f.location, c.places)) << Describe(f);
        EXPECT_EQ(f.value.has_value(), c.value.has_value());
        if (f.value && c.value) {
            EXPECT_NEAR(*f.value, *c.value, 1e-6);
        }
        EXPECT_EQ(f.limit.has_value(), c.limit.has_value());
        if (f.limit && c.limit) {
            EXPECT_NEAR(*f.limit, *c.limit, 1e-9);
        }
        EXPECT_FALSE(f.message.empty());
        const bool drawingWide = std::string(c.code).rfind("units", 0) == 0;
        EXPECT_EQ(f.layer, drawingWide ? "" : "CUT");
    }
}

INSTANTIATE_TEST_SUITE_P(ModesAndEngines, CheckFindings,
                         testing::Combine(testing::Bool(),
                                          testing::Values(quillform::Engine::Fast,
                                                          quillform::Engine::Reference)));

// Webs are measured through chords a thousandth of the limit from the arcs
// (tests/data/check/make_check_fixtures.py, arc_webs): of webs 2.9 and 3.5
// between rim and slot of round plates, and 2.99 and 3.01 between a
// straight edge and a tilted slot, a limit of 3 finds the first of each.
TEST_P(CheckFindings, WebsThroughChordsNearTheLimit) {
    const auto [accurate, engine] = GetParam();
    const Drawing d = Read("arc_webs", accurate, engine);
    std::vector<Finding> webs = WithCode(quillform::Check(d, Limits()), "narrowWeb");
    ASSERT_EQ(webs.size(), 2u);
    std::sort(webs.begin(), webs.end(),
              [](const Finding& a, const Finding& b) { return a.location.x < b.location.x; });
    // Round plate: halfway between rim and cap, on the line from the plate's
    // centre through either cap's centre (both are as near).
    const double c = std::sqrt(15.1 * 15.1 - 25), middle = 20 - 2.9 / 2;
    const Point round{5 / 15.1 * middle, c / 15.1 * middle};
    // Square plate: above the upper cap's centre, halfway to the top edge.
    const Point square{100 + 5 * std::cos(3.141592653589793 / 6), 20 - 2.99 / 2};
    const struct {
        double width;
        Point at;
    } expected[] = {{2.9, round}, {2.99, square}};
    for (size_t k = 0; k < 2; ++k) {
        ASSERT_TRUE(webs[k].value.has_value());
        EXPECT_NEAR(*webs[k].value, expected[k].width, 2 * 3e-3);
        // Within half a chord along the outline.
        EXPECT_NEAR(std::fabs(webs[k].location.x), expected[k].at.x, 0.1);
        EXPECT_NEAR(webs[k].location.y, expected[k].at.y, 0.1);
    }
}

// A bar across a plate drawn twice: the literal rules keep both copies and
// each crosses the bar; accurate geometry merges them into one.
TEST_P(CheckFindings, EachCopyOfADoubledOutlineCrosses) {
    const auto [accurate, engine] = GetParam();
    const Drawing d = Read("doubled_crossing", accurate, engine);
    const std::vector<Finding> crossings = WithCode(quillform::Check(d, Limits()), "outlinesCross");
    ASSERT_EQ(crossings.size(), accurate ? 1u : 2u);
    for (size_t k = 0; k < crossings.size(); ++k) {
        EXPECT_EQ(crossings[k].part, static_cast<int64_t>(k));
        EXPECT_TRUE(At(crossings[k].location, {{40, 10}, {40, 20}})) << Describe(crossings[k]);
    }
}

// Nothing worse than information on drawings made to be cut.
void ExpectClean(const std::string& path, double thickness, double distance = 1) {
    for (bool accurate : {false, true}) {
        quillform::Settings s;
        s.accurate = accurate;
        s.distance = distance;
        const Drawing d = quillform::ReadDrawing(path, s);
        CheckOptions o;
        o.thickness = thickness;
        o.failOn = Severity::Warning;
        const std::vector<Finding> found = quillform::Check(d, o);
        for (const Finding& f : found)
            EXPECT_EQ(f.severity, Severity::Info)
                << path << ": " << Describe(f) << ": " << f.message;
    }
}

TEST(CheckClean, BundledAndRealDrawingsRaiseNoAlarm) {
    ExpectClean(TestData("../../examples/plate.dxf"), 3);
    ExpectClean(TestData("check/clean_plate.dxf"), 3);
    for (const char* real :
         {"cadman_sdi_campart_noheader.dxf", "dxfparser_polylines_entities_only.dxf",
          "ezdxf_forms_lwpoly_circles_r2018.dxf", "ezgen_plate_loose_lines_arcs_r12.dxf",
          "openscad_flange_plate_export.dxf", "openscad_test_polygon_many_holes_r2000.dxf"})
        ExpectClean(TestData(std::string("real/") + real), 1);
}

TEST(CheckClean, BenchSheetRaisesNoAlarm) {
    const std::string path = testing::TempDir() + "check_sheet.dxf";
    ASSERT_TRUE(WriteDrawing("sheet", 200, 7, path));
    ExpectClean(path, 1, 0.01);
    std::remove(path.c_str());
}

// Every edge twice and one edge a third time from its middle: merged, the
// plate is the clean one, cut once.
TEST(OverlapMerging, DoubledPlateIsTheCleanPlate) {
    for (auto engine : {quillform::Engine::Fast, quillform::Engine::Reference}) {
        const Drawing clean = Read("clean_plate", true, engine);
        const Drawing doubled = Read("doubled_plate", true, engine);
        ASSERT_EQ(clean.layers.size(), doubled.layers.size());
        const quillform::Totals a = quillform::TotalOf(clean), b = quillform::TotalOf(doubled);
        EXPECT_EQ(b.parts, 1);
        EXPECT_EQ(a.parts, b.parts);
        EXPECT_EQ(a.pierces, b.pierces);
        EXPECT_NEAR(a.cutLength, b.cutLength, 1e-9);
        EXPECT_NEAR(a.area, b.area, 1e-9);
        EXPECT_TRUE(doubled.openChains.empty());
        bool merged = false;
        for (const quillform::Warning& w : doubled.warnings)
            merged = merged || (w.code == "overlapsMerged" && w.value > 0);
        EXPECT_TRUE(merged);
    }
}

// Loose lines and arcs drawn over the edges of polylines and over circles
// give way to them: what is covered goes, what reaches past stays loose.
TEST(OverlapMerging, LooseEdgesGiveWayToPolylinesAndCircles) {
    const double pi = 3.141592653589793;
    const struct {
        const char* file;
        const char* same; // the drawing it must read as
        double merged;
        std::vector<Point> looseEnds;
    } cases[] = {
        {"overdrawn_polylines", "plate_outline", 125 + 25 * pi / 18 + 5 * pi / 2, {}},
        {"duplicate_outline", nullptr, 120, {}},
        {"line_over_polyline", nullptr, 30, {}},
        {"line_past_polyline", nullptr, 10, {{50, 0}, {70, 0}}},
        {"edges_across_polylines",
         nullptr,
         50 + 5 * pi,
         {{-10, 0},
          {0, 0},
          {50, 0},
          {60, 0},
          {30, 15},
          {30, 25},
          {30 + 5 * std::cos(4 * pi / 3), 20 + 5 * std::sin(4 * pi / 3)},
          {30 + 5 * std::cos(2 * pi / 3), 20 + 5 * std::sin(2 * pi / 3)}}},
    };
    for (const auto& c : cases)
        for (auto engine : {quillform::Engine::Fast, quillform::Engine::Reference}) {
            SCOPED_TRACE(c.file);
            const Drawing d = Read(c.file, true, engine);
            const quillform::Totals got = quillform::TotalOf(d);
            EXPECT_EQ(got.parts, 1);
            if (c.same) {
                const quillform::Totals want = quillform::TotalOf(Read(c.same, true, engine));
                EXPECT_EQ(got.pierces, want.pierces);
                EXPECT_NEAR(got.cutLength, want.cutLength, 1e-9);
                EXPECT_NEAR(got.area, want.area, 1e-9);
            }
            double merged = 0;
            for (const quillform::Warning& w : d.warnings)
                merged += w.code == "overlapsMerged" ? w.value : 0;
            EXPECT_NEAR(merged, c.merged, 1e-9);
            // The finding says the parts are mended, not that they will be cut twice.
            const std::vector<Finding> found = WithCode(quillform::Check(d), "overlappingEdges");
            ASSERT_EQ(found.size(), 1u);
            EXPECT_NE(found.front().message.find("merged here into one edge"), std::string::npos)
                << found.front().message;
            ASSERT_EQ(d.openChains.size(), c.looseEnds.size() / 2);
            for (const quillform::OpenChain& chain : d.openChains) {
                EXPECT_TRUE(At(chain.first, c.looseEnds));
                EXPECT_TRUE(At(chain.last, c.looseEnds));
            }
        }
}

// The same outline on two layers, their edges side by side in the file, is
// no overlap: only the bottom edge drawn twice on CUT is, under either rules.
TEST(OverlapMerging, OnlyEdgesOfOneLayerOverlap) {
    for (const bool accurate : {false, true}) {
        SCOPED_TRACE(accurate ? "accurate" : "literal");
        const Drawing d = Read("doubled_across_layers", accurate, quillform::Engine::Fast);
        const std::vector<Finding> found = WithCode(quillform::Check(d), "overlappingEdges");
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found.front().layer, "CUT");
        EXPECT_NEAR(*found.front().value, 60, 1e-9);
    }
}

// The literal rules only say so: the doubled edges stay.
TEST(OverlapMerging, LiteralRulesOnlyNoteTheOverlaps) {
    const Drawing doubled = Read("doubled_plate", false, quillform::Engine::Fast);
    for (const quillform::Warning& w : doubled.warnings)
        EXPECT_NE(w.code, "overlapsMerged");
    ASSERT_FALSE(doubled.entityNotes.empty());
    const std::vector<Finding> found = WithCode(quillform::Check(doubled), "overlappingEdges");
    ASSERT_EQ(found.size(), 1u);
    // The four sides, the slot's two lines and the arc drawn twice, and
    // 30 of the bottom edge and 30 degrees of the other arc again.
    const double pi = 3.141592653589793;
    const double expected = 2 * 60 + 2 * 40 + 2 * 15 + 5 * pi + 30 + 5 * pi * 2 / 3;
    EXPECT_NEAR(*found.front().value, expected, 1e-6);
    EXPECT_NE(found.front().message.find("would be cut twice"), std::string::npos);
}

TEST(CheckLimits, LengthsWithUnits) {
    const quillform::Unit inch{1, "in", 25.4};
    EXPECT_DOUBLE_EQ(*quillform::LengthIn("3", inch), 3);
    EXPECT_DOUBLE_EQ(*quillform::LengthIn("25.4mm", inch), 1);
    EXPECT_DOUBLE_EQ(*quillform::LengthIn("0.5in", quillform::Unit{4, "mm", 1}), 12.7);
    EXPECT_FALSE(quillform::LengthIn("3mm", quillform::Unit()));
    EXPECT_FALSE(quillform::LengthIn("-1", inch));
    EXPECT_FALSE(quillform::LengthIn("mm", inch));
    EXPECT_FALSE(quillform::LengthIn("3 mm", inch));
}

TEST(CheckLimits, FailOnWarningCountsWarnings) {
    const Drawing d = Read("small_hole", true, quillform::Engine::Fast);
    CheckOptions o = Limits();
    const std::vector<Finding> found = quillform::Check(d, o);
    EXPECT_FALSE(quillform::CheckFails(found, o));
    o.failOn = Severity::Warning;
    EXPECT_TRUE(quillform::CheckFails(found, o));
}

} // namespace
