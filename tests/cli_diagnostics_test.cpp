// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// What quillform says besides the listing: open chains, near misses, unused
// content, units and layer options, in text, JSON and pictures.
#include "cli_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace {
std::string Drawing(const std::string& name) {
    return Data("diagnostics/" + name + ".dxf");
}

std::string Path(const std::string& name) {
    return std::string(QUILLFORM_TEST_DATA) + "/diagnostics/" + name + ".dxf";
}

TEST(CliDiagnostics, OpenChainsAndNearMissesOnStandardErrorOnly) {
    const RunResult r = RunCli("-d 0.001 " + Drawing("gaps"));
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string file = "quillform: " + Path("gaps") + ": ";
    EXPECT_EQ(r.err, file +
                         "open chain on layer 0: 2 edges from (0, 0) to (40, 29.995), gap "
                         "49.9970001600096\n" +
                         file +
                         "open chain on layer 0: 2 edges from (40.005, 30) to (0, 0.005), "
                         "gap 50.0010004899902\n" +
                         file +
                         "loose ends (0, 0) (layer 0) and (0, 0.005) (layer 0) of two "
                         "open chains lie 0.005 apart: a linking distance of that much "
                         "would join them\n" +
                         file +
                         "loose ends (40, 29.995) (layer 0) and (40.005, 30) (layer 0) of "
                         "two open chains lie 0.00707106781186658 apart: a linking "
                         "distance of that much would join them\n" +
                         file + "the drawing's unit: mm\n" +
                         "2 shapes discovered in layer 0\n"
                         "0 shapes discovered in layer Defpoints\n");
    // The listing is what it always was, and -q keeps standard error quiet.
    const RunResult quiet = RunCli("-q -d 0.001 " + Drawing("gaps"));
    EXPECT_EQ(quiet.err, "");
    EXPECT_EQ(quiet.out, r.out);
}

TEST(CliDiagnostics, JsonCarriesChainsMissesUnitsAndUnusedContent) {
    const RunResult r = RunCli("-d 0.001 --format json " + Drawing("gaps"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const nlohmann::json d = nlohmann::json::parse(r.out);
    ASSERT_EQ(d.at("openChains").size(), 2u);
    EXPECT_EQ(d.at("openChains")[0].at("edges"), 2);
    EXPECT_EQ(d.at("openChains")[0].at("last").at("y"), 29.995);
    EXPECT_EQ(d.at("openChains")[0].at("vertices").size(), 3u);
    EXPECT_EQ(d.at("nearMisses")[0].at("end"), "first");
    EXPECT_EQ(d.at("nearMisses")[0].at("otherEnd"), "last");
    EXPECT_EQ(d.at("units").at("name"), "mm");
    const RunResult census = RunCli("--literal -q --format json " + Drawing("census"));
    const nlohmann::json c = nlohmann::json::parse(census.out);
    EXPECT_EQ(c.at("ignored")[0].at("type"), "TEXT");
    EXPECT_EQ(c.at("ignored")[0].at("count"), 2);
    EXPECT_FALSE(c.at("ignored")[0].contains("hint"));
    EXPECT_EQ(c.at("ignored")[2].at("type"), "SPLINE");
    EXPECT_EQ(c.at("ignored")[2].at("hint"), "--accurate would use them");
}

TEST(CliDiagnostics, UnusedContentInOneLine) {
    const RunResult r = RunCli("--literal -d 0.001 " + Drawing("census"));
    EXPECT_NE(r.err.find(": not used: 2 TEXT, 1 HATCH, 1 SPLINE (--accurate would use them), "
                         "1 INSERT scale (--accurate would use them), 1 MTEXT\n"),
              std::string::npos)
        << r.err;
}

TEST(CliDiagnostics, OutputUnitsConvertEveryLength) {
    const RunResult inches = RunCli("-q -d 0.0001 " + Drawing("units_inch"));
    EXPECT_NE(inches.out.find("Hole (circle): centerX =0.5; centerY =0.25; Radius = 0.125"),
              std::string::npos)
        << inches.out;
    const RunResult mm = RunCli("-q -d 0.0001 --output-units mm " + Drawing("units_inch"));
    EXPECT_EQ(mm.status, 0) << mm.err;
    EXPECT_NE(mm.out.find("Hole (circle): centerX =12.7; centerY =6.35; Radius = 3.175"),
              std::string::npos)
        << mm.out;
    const RunResult json =
        RunCli("-q -d 0.0001 --output-units mm --format json " + Drawing("units_inch"));
    const nlohmann::json d = nlohmann::json::parse(json.out);
    EXPECT_EQ(d.at("units").at("name"), "in");
    EXPECT_EQ(d.at("lengthUnits").at("name"), "mm");
    EXPECT_DOUBLE_EQ(d.at("layers")[0].at("shapes")[0].at("bounds").at("maxX").get<double>(), 25.4);
}

TEST(CliDiagnostics, TheDrawingsUnitIsSaidWhenTheHeaderGivesOne) {
    const struct {
        const char* drawing;
        const char* line; // empty: no unit line
    } cases[] = {{"units_mm", "the drawing's unit: mm\n"},
                 {"units_inch", "the drawing's unit: in\n"},
                 {"units_measurement_imperial", "the drawing's unit: in\n"},
                 {"units_unitless", ""}};
    for (const auto& c : cases) {
        const RunResult r = RunCli("-d 0.0001 " + Drawing(c.drawing));
        const std::string prefix = "quillform: " + Path(c.drawing) + ": the drawing's unit";
        if (*c.line)
            EXPECT_NE(r.err.find("quillform: " + Path(c.drawing) + ": " + c.line),
                      std::string::npos)
                << c.drawing << ": " << r.err;
        else
            EXPECT_EQ(r.err.find(prefix), std::string::npos) << c.drawing << ": " << r.err;
    }
}

TEST(CliDiagnostics, OutputUnitsOfAnUnknownUnitIsBadUsage) {
    const RunResult r = RunCli("-q --output-units mm " + Drawing("units_unitless"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--output-units: the drawing does not say its unit"), std::string::npos)
        << r.err;
    EXPECT_EQ(RunCli("--output-units furlong " + Drawing("units_mm")).status, 2);
}

TEST(CliDiagnostics, LayerOptions) {
    const RunResult only = RunCli("-d 0.001 --layers DRILL,MARK " + Drawing("drill_layer"));
    EXPECT_EQ(only.err, "quillform: " + Path("drill_layer") +
                            ": the drawing's unit: mm\n3 shapes discovered in layer "
                            "DRILL\n1 shapes discovered in layer MARK\n");
    const RunResult except = RunCli("-d 0.001 --exclude-layers DRILL " + Drawing("drill_layer"));
    EXPECT_EQ(except.err.find("DRILL"), std::string::npos) << except.err;
    const RunResult across = RunCli("-d 0.001 --holes-across-layers " + Drawing("drill_layer"));
    EXPECT_NE(across.err.find("1 shapes discovered in layer CUT\n0 shapes discovered in layer "
                              "DRILL\n"),
              std::string::npos)
        << across.err;
    EXPECT_NE(across.out.find("Hole (circle): centerX =80; centerY =30; Radius = 4"),
              std::string::npos);
    // The names after a layer list are files again, each read.
    const RunResult two =
        RunCli("-q --layers DRILL " + Drawing("drill_layer") + " " + Drawing("units_mm"));
    EXPECT_EQ(two.status, 0) << two.err;
    EXPECT_NE(two.out.find("units_mm.dxf =="), std::string::npos) << two.out;
}

TEST(CliDiagnostics, OpenChainsAreDrawnInTheirOwnColour) {
    const std::string svg = testing::TempDir() + "quillform_open_chains.svg";
    const RunResult r = RunCli("-q -d 0.001 --format svg -o " + Quote(svg) + " " + Drawing("gaps"));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string picture = Slurp(svg);
    EXPECT_NE(picture.find("stroke=\"#0000ff\""), std::string::npos);
    // Without open chains, no line of that colour.
    const RunResult closed =
        RunCli("-q -d 0.01 --format svg -o " + Quote(svg) + " " + Drawing("gaps"));
    ASSERT_EQ(closed.status, 0) << closed.err;
    EXPECT_EQ(Slurp(svg).find("stroke=\"#0000ff\""), std::string::npos);
}
} // namespace
