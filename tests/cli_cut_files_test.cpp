// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// quillform --format dxf|cut-svg|geojson and --split-parts: the parts as
// files to cut from, read back through the value API.
#include "cli_support.h"

#include "quillform/drawing.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

namespace {
namespace fs = std::filesystem;

// The shapes of every layer as "LAYER:vertices+holes".
std::vector<std::string> Parts(const std::string& file) {
    quillform::Settings settings;
    settings.holesAcrossLayers = true; // holes are on INNER, outlines on OUTER
    std::vector<std::string> parts;
    for (const quillform::Layer& layer : quillform::ReadDrawing(file, settings).layers)
        for (const quillform::Shape& shape : layer.shapes)
            parts.push_back(layer.name + ":" + std::to_string(shape.vertices.size()) + "+" +
                            std::to_string(shape.holes.size()));
    return parts;
}

TEST(CliCutFiles, DxfToAFileReadsBackAsTheParts) {
    const std::string folder = Folder("cut_dxf");
    const RunResult r = RunCli("-q --format dxf -o " + Quote(folder + "/cut.dxf") + " " +
                               Data("square_with_circle_hole.dxf"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Parts(folder + "/cut.dxf"), std::vector<std::string>{"OUTER:4+1"});
    const RunResult kept =
        RunCli("-q --format dxf --keep-layers " + Data("squares_two_layers.dxf"));
    ASSERT_EQ(kept.status, 0) << kept.err;
    EXPECT_NE(kept.out.find("\nA-OUTER\n"), std::string::npos);
    EXPECT_NE(kept.out.find("\nB-OUTER\n"), std::string::npos);
}

TEST(CliCutFiles, GeoJsonCarriesEachPartsMeasures) {
    const RunResult r = RunCli("-q --format geojson " + Data("square_with_circle_hole.dxf"));
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json document = nlohmann::json::parse(r.out);
    ASSERT_EQ(document["features"].size(), 1u);
    const nlohmann::json& properties = document["features"][0]["properties"];
    EXPECT_EQ(properties["layer"], "0");
    EXPECT_EQ(properties["pierces"], 2);
    EXPECT_NEAR(properties["area"].get<double>(), 100 - 4 * 3.14159265358979, 1e-9);
    EXPECT_NEAR(properties["cutLength"].get<double>(), 40 + 4 * 3.14159265358979, 1e-9);
    EXPECT_EQ(properties["minRectangle"]["width"], 10.0);
}

TEST(CliCutFiles, CutSvgWarnsOfTheAssumedUnit) {
    const RunResult r = RunCli("--format cut-svg " + Data("square_with_circle_hole.dxf"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("width=\"10mm\" height=\"10mm\""), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("the SVG takes one drawing unit for one millimetre"), std::string::npos);
    EXPECT_EQ(RunCli("-q --format cut-svg " + Data("square_with_circle_hole.dxf")).err, "");
}

TEST(CliCutFiles, SplitPartsWritesOneFilePerPartMovedToTheOrigin) {
    const std::string folder = Folder("split_parts");
    const RunResult r =
        RunCli("-q --split-parts " + Quote(folder) + " --origin " + Data("squares_two_layers.dxf"));
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(Entries(folder), (std::vector<std::string>{"squares_two_layers-A-0.dxf",
                                                         "squares_two_layers-B-0.dxf"}));
    for (const std::string& name : Entries(folder)) {
        const quillform::Drawing part = quillform::ReadDrawing(folder + "/" + name);
        EXPECT_EQ(part.bounds.minX, 0) << name;
        EXPECT_EQ(part.bounds.minY, 0) << name;
    }
}

// What cannot be written is exit status 1 and leaves no file; options that
// do not go together are bad usage.
TEST(CliCutFiles, ErrorsLeaveNoFile) {
    const std::string folder = Folder("cut_errors");
    const std::string drawing = Data("square_with_circle_hole.dxf");
    const struct {
        std::string args;
        int status;
    } cases[] = {
        {"--format dxf -o " + Quote(folder + "/missing/cut.dxf"), 1},
        {"--format geojson -o " + Quote(folder + "/missing/cut.geojson"), 1},
        {"--split-parts " + Quote(folder + "/missing"), 1},
        {"--origin --format dxf", 2},
        {"--keep-layers --format geojson", 2},
        {"--split-parts " + Quote(folder) + " -o " + Quote(folder + "/x.dxf"), 2},
        {"--split-parts " + Quote(folder) + " --format json", 2},
        {"--format dxf --contours", 2},
        {"--format cut-svg " + drawing, 2}, // two drawings
    };
    for (const auto& c : cases) {
        const RunResult r = RunCli("-q " + c.args + " " + drawing);
        EXPECT_EQ(r.status, c.status) << c.args << ": " << r.err;
        EXPECT_NE(r.err, "") << c.args;
    }
    EXPECT_EQ(Entries(folder), std::vector<std::string>{});
}

} // namespace
