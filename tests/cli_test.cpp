// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Runs the built quillform command and checks what it prints and returns.
#include "cli_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace {
TEST(CliLog, PrintsOneLinePerEvent) {
    const RunResult r = RunCli("--log " + Data("unlisted_layer.dxf"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("Circle:")),
              "Layer name: 0\nLayer name: Cut\n"
              "Segment: Start(X=0; Y=0; Z=0)-End(X=1; Y=0; Z=0), Layer = Cut\n");
}

TEST(CliLog, NamesAreWrittenAsUtf8) {
    const RunResult r = RunCli("--log " + Data("cp1252_layer.dxf"));
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Layer name: Au\xC3\x9F"
                         "en\n"),
              std::string::npos)
        << r.out;
}

TEST(CliErrors, MissingFileNamesItOnStandardError) {
    const RunResult r = RunCli("--log " + Data("no_such_file.dxf"));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("no_such_file.dxf"), std::string::npos) << r.err;
}

TEST(CliErrors, BadUsageGivesStatusTwo) {
    EXPECT_EQ(RunCli("").status, 2);
    EXPECT_EQ(RunCli("--no-such-option " + Data("empty.dxf")).status, 2);
}

TEST(CliErrors, DamagedFilesDoNotCrash) {
    for (const char* file : {"damaged_number.dxf", "truncated.dxf"})
        EXPECT_EQ(RunCli("--log " + Data(file)).status, 0) << file;
    EXPECT_EQ(RunCli("--log " + Data("empty.dxf")).status, 1); // not a drawing
}
} // namespace

namespace {
TEST(CliContours, OneLinePerContour) {
    const RunResult r = RunCli("--contours -d 0 " + Data("square_shuffled.dxf"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "0: 4 vertices: 10 10; 0 10; 0 0; 10 0\n");
    const RunResult arc = RunCli("--contours " + Data("full_circle_arc.dxf"));
    EXPECT_EQ(arc.out, "0: 1 vertices: 6.73205080756888 6 arc 5 5 2 ccw\n");
}

TEST(CliContours, DistanceThatIsNoNumberIsBadUsage) {
    const RunResult r = RunCli("--contours -d abc " + Data("square_shuffled.dxf"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("abc"), std::string::npos) << r.err;
}
} // namespace

namespace {
const char* const kSquareWithHoleListing = "SHAPE # 0\n"
                                           "Polygon: 4 vertices.\n"
                                           "  Vertex: X = 0; 10\n"
                                           "  Vertex: X = 0; 0\n"
                                           "  Vertex: X = 10; 0\n"
                                           "  Vertex: X = 10; 10\n"
                                           "  Shape bounding box: TopX = 0 TopY = 10 BottomX = 10 "
                                           "BottomY = 0\n"
                                           "    Hole (circle): centerX =5; centerY =5; Radius = 2\n"
                                           "        Hole bounding box: TopX = 7 TopY = 7 BottomX "
                                           "= 3 BottomY = 3\n";

TEST(CliListing, SquareWithCircularHole) {
    const RunResult r = RunCli(Data("square_with_circle_hole.dxf"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kSquareWithHoleListing);
    // The square is 10 wide: the default distance of 1 earns a word of advice.
    EXPECT_EQ(r.err, "quillform: " + std::string(QUILLFORM_TEST_DATA) +
                         "/square_with_circle_hole.dxf: the linking distance 1 is over 1% of "
                         "the drawing's size (10 drawing units): ends far apart may be joined; "
                         "a distance such as 1E-5 suits it\n1 shapes discovered in layer 0\n");
    EXPECT_EQ(RunCli("--quiet " + Data("square_with_circle_hole.dxf")).err, "");
}

TEST(CliListing, ArcsPolygonHolesAndLayerMessagesOfTheExample) {
    const std::string plate = std::string(QUILLFORM_EXAMPLES) + "/plate.dxf";
    const RunResult r = RunCli("-d 1 " + Quote(plate));
    EXPECT_EQ(r.status, 0) << r.err;
    // Its header says millimetres ($INSUNITS 4).
    EXPECT_EQ(r.err, "quillform: " + plate +
                         ": the drawing's unit: mm\n0 shapes discovered in layer "
                         "0\n0 shapes discovered in layer Defpoints\n3 shapes discovered in "
                         "layer CUT\n");
    // The rounded corner starting at (0, 10) and the slot's right arc, whose
    // start angle is -90 in the file, reaching x = 86 in the hole's box.
    EXPECT_NE(r.out.find("  Vertex: X = 0; 10\n  Arc: centerX = 10; centerY = 10; radius = 10; "
                         "direction = 0\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("        Hole bounding box: TopX = 86 TopY = 46 BottomX = 34 BottomY = "
                         "34\n"),
              std::string::npos)
        << r.out;
}

// The README's first command: a mirrored, scaled insert and an elliptical
// slot, which only accurate geometry, the default, places and reads.
TEST(CliListing, AccurateGeometryByDefaultLiteralRulesOnRequest) {
    const std::string bracket = Quote(std::string(QUILLFORM_EXAMPLES) + "/bracket_plate.dxf");
    const RunResult standard = RunCli(bracket);
    ASSERT_EQ(standard.status, 0) << standard.err;
    EXPECT_NE(standard.out.find("  Shape bounding box: TopX = 110 TopY = 60 BottomX = 170 "
                                "BottomY = 0\n    Hole (circle): centerX =161; centerY =9; "
                                "Radius = 4.5\n"),
              std::string::npos)
        << standard.out;
    EXPECT_NE(standard.out.find("Hole bounding box: TopX = 75 TopY = 40 BottomX = 25 BottomY = 20"),
              std::string::npos);
    EXPECT_EQ(standard.err.find("not used"), std::string::npos) << standard.err;
    EXPECT_EQ(RunCli("--accurate " + bracket).out, standard.out);

    const RunResult literal = RunCli("--literal " + bracket);
    ASSERT_EQ(literal.status, 0) << literal.err;
    EXPECT_NE(
        literal.out.find("Shape bounding box: TopX = 180 TopY = 50 BottomX = 220 BottomY = 10"),
        std::string::npos)
        << literal.out;
    EXPECT_NE(literal.err.find("not used: 1 ELLIPSE (--accurate would use them)"),
              std::string::npos)
        << literal.err;

    const auto said = [&](const std::string& options) {
        const nlohmann::json d =
            nlohmann::json::parse(RunCli(options + " -q --format json " + bracket).out);
        return d.at("settings").at("accurate").get<bool>();
    };
    EXPECT_TRUE(said(""));
    EXPECT_FALSE(said("--literal"));
    EXPECT_EQ(RunCli("--literal --accurate " + bracket).status, 2);
}

TEST(CliListing, SeveralFilesAreSeparatedByTheirNames) {
    const std::string a = std::string(QUILLFORM_TEST_DATA) + "/square_with_circle_hole.dxf";
    const RunResult r = RunCli("-q " + Quote(a) + " " + Quote(a));
    EXPECT_EQ(r.out, "== " + a + " ==\n" + kSquareWithHoleListing + "== " + a + " ==\n" +
                         kSquareWithHoleListing);
}

TEST(CliListing, OutputFileHasCrLfLineEnds) {
    const std::string path = testing::TempDir() + "listing.txt";
    const RunResult r = RunCli("-q -o " + Quote(path) + " " + Data("square_with_circle_hole.dxf"));
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.empty());
    std::string expected;
    for (const char* p = kSquareWithHoleListing; *p; ++p)
        expected += *p == '\n' ? std::string("\r\n") : std::string(1, *p);
    EXPECT_EQ(Slurp(path), expected);
}

TEST(CliListing, JsonCarriesTheSameContent) {
    const RunResult r = RunCli("--format json -q " + Data("square_with_circle_hole.dxf"));
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* fragment :
         {"\"kind\": \"polygon\"", "\"kind\": \"circle\"", "\"radius\": 2.0", "\"maxX\": 7.0",
          "\"name\": \"0\"", "\"value\": 0", "\"distance\": 1.0"})
        EXPECT_NE(r.out.find(fragment), std::string::npos) << fragment << "\n" << r.out;
}

TEST(CliErrors, ExitStatusForEachFailure) {
    EXPECT_EQ(RunCli(Data("no_such_file.dxf")).status, 1);
    EXPECT_EQ(RunCli("--format xml " + Data("empty.dxf")).status, 2);
    EXPECT_EQ(RunCli("--open-mode x " + Data("empty.dxf")).status, 2);
    const RunResult open = RunCli("--open-mode 2 -d 0 " + Data("open_chain_facade.dxf"));
    EXPECT_EQ(open.status, 3);
    EXPECT_NE(open.err.find("does not close"), std::string::npos) << open.err;
    EXPECT_EQ(open.out, ""); // layers without shapes list nothing
}
} // namespace

namespace {
TEST(CliPicture, PngAndSvgOfTheDrawing) {
    const std::string png = testing::TempDir() + "plate.png";
    const std::string plate = Quote(std::string(QUILLFORM_EXAMPLES) + "/plate.dxf");
    const RunResult r = RunCli("-q --format png --size 400x300 -o " + Quote(png) + " " + plate);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(Slurp(png).substr(0, 8), "\x89PNG\r\n\x1a\n");
    const std::string svg = testing::TempDir() + "plate.svg";
    EXPECT_EQ(RunCli("-q --no-index --format svg -o " + Quote(svg) + " " + plate).status, 0);
    EXPECT_NE(Slurp(svg).find("<svg"), std::string::npos);
}

TEST(CliPicture, NeedsOneFileAnOutputAndAValidSize) {
    const std::string plate = Quote(std::string(QUILLFORM_EXAMPLES) + "/plate.dxf");
    EXPECT_EQ(RunCli("--format png " + plate).status, 2);
    EXPECT_EQ(RunCli("--format png -o /tmp/x.png " + plate + " " + plate).status, 2);
    EXPECT_EQ(RunCli("--format png --size 0x10 -o /tmp/x.png " + plate).status, 2);
    EXPECT_EQ(RunCli("--format png -o /tmp/x.png " + Data("no_such_file.dxf")).status, 1);
}
} // namespace

namespace {
// Both engines print the same listing, JSON and contours; only the time differs.
TEST(CliEngine, ReferenceAndFastPrintTheSame) {
    const std::string files = Data("corner_lobe.dxf") + " " + Data("island_later_pass.dxf") + " " +
                              Data("hole_order.dxf") + " " +
                              Quote(std::string(QUILLFORM_EXAMPLES) + "/plate.dxf");
    for (const std::string mode : {"-d 0.001", "-d 1 --format json", "-d 0.5 --contours"}) {
        const RunResult fast = RunCli(mode + " --engine fast " + files);
        const RunResult reference = RunCli(mode + " --engine reference " + files);
        EXPECT_EQ(fast.status, 0) << mode << ": " << fast.err;
        EXPECT_EQ(reference.status, 0) << mode << ": " << reference.err;
        EXPECT_FALSE(fast.out.empty()) << mode;
        std::string referenceOut = reference.out; // the settings say which engine ran
        for (size_t at;
             (at = referenceOut.find(",\n      \"engine\": \"reference\"")) != std::string::npos;)
            referenceOut.erase(at, std::string(",\n      \"engine\": \"reference\"").size());
        EXPECT_EQ(fast.out, referenceOut) << mode;
        EXPECT_EQ(fast.err, reference.err) << mode;
    }
}

TEST(CliEngine, UnknownEngineIsBadUsage) {
    const RunResult r = RunCli("--engine quick " + Data("corner_lobe.dxf"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--engine"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
}
} // namespace
