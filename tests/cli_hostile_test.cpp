// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// quillform on broken input and failing output: the message, the exit
// status and what is on disk afterwards.
#include "cli_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {
struct InputCase {
    const char* name;
    const char* args; // before the file
    const char* file;
    int status;
    const char* err; // "FILE" stands for the file's path
};

class CliInput : public testing::TestWithParam<InputCase> {};

TEST_P(CliInput, SaysWhatTheFileIs) {
    const InputCase& c = GetParam();
    const RunResult r = RunCli(std::string(c.args) + " " + Data(c.file));
    std::string expected = c.err;
    for (size_t at; (at = expected.find("FILE")) != std::string::npos;)
        expected.replace(at, 4, DataPath(c.file));
    EXPECT_EQ(r.status, c.status) << c.name;
    EXPECT_EQ(r.err, expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Files, CliInput,
    testing::Values(
        InputCase{"binary", "", "binary_dxf.dxf", 1,
                  "quillform: FILE: binary DXF is not supported\n"},
        InputCase{"empty", "", "empty.dxf", 1, "quillform: FILE: not a DXF drawing\n"},
        InputCase{"only_eof", "--format json", "only_eof.dxf", 1,
                  "quillform: FILE: not a DXF drawing\n"},
        InputCase{"truncated_even_when_quiet", "-q", "truncated_mid_entity.dxf", 0,
                  "quillform: FILE: the file ends before its EOF marker; read as far as it "
                  "goes\n"},
        InputCase{"truncated_contours", "--contours -d 0.001", "truncated_after_square.dxf", 0,
                  "quillform: FILE: the file ends before its EOF marker; read as far as it "
                  "goes\n"},
        InputCase{"utf16", "-d 0.001", "utf16le_bom.dxf", 0,
                  "quillform: FILE: the file is UTF-16 text; it was read converted to UTF-8\n"
                  "1 shapes discovered in layer 0\n"},
        InputCase{"warnings_quiet", "-q", "utf16le_bom.dxf", 0, ""},
        InputCase{"degenerate_radius", "-d 0.001", "radius_zero_negative.dxf", 0,
                  "quillform: FILE: 4 circles or arcs on layer 0 have a radius that is not a "
                  "positive number and were left out\n"
                  "quillform: FILE: open chain on layer 0: 1 edges from (17, 0) to (23, 0), gap "
                  "6\n1 shapes discovered in layer 0\n"},
        InputCase{"count", "-d 0.001", "count_leader_76.dxf", 0,
                  "quillform: FILE: a count in the file was larger than the items that follow "
                  "it and was lowered\nquillform: FILE: not used: 1 LEADER\n"
                  "1 shapes discovered in layer 0\n"},
        InputCase{"overflowing_boxes", "--literal -d 0.001", "huge_coords.dxf", 0,
                  "quillform: FILE: open chain on layer 0: 1 edges from (1E308, 1E308) to "
                  "(-1E308, 1E308), gap INF\n"
                  "quillform: FILE: open chain on layer 0: 1 edges from (1E308, 0) to "
                  "(6.12323399573677E291, 1E308), gap 1.4142135623731E308\n"
                  "quillform: FILE: coordinates overflow: some bounding boxes are not finite "
                  "(INF in the listing)\n3 shapes discovered in layer 0\n"},
        InputCase{"expansion_limit", "--expansion-limit 199", "inserted_many.dxf", 1,
                  "quillform: FILE: block inserts would produce more than 199 entities, the "
                  "limit of this read; the read stopped and no shapes were built "
                  "(--expansion-limit sets the limit)\n"},
        InputCase{"expansion_limit_contours", "--contours --expansion-limit 10",
                  "inserted_many.dxf", 1,
                  "quillform: FILE: block inserts would produce more than 10 entities, the "
                  "limit of this read; the read stopped and no shapes were built "
                  "(--expansion-limit sets the limit)\n"}),
    [](const testing::TestParamInfo<InputCase>& info) { return std::string(info.param.name); });

TEST(CliInput, UnreadableFilesGiveNoListing) {
    for (const char* file : {"binary_dxf.dxf", "empty.dxf", "only_eof.dxf"})
        EXPECT_EQ(RunCli("-q " + Data(file)).out, "") << file;
    EXPECT_EQ(RunCli("-q " + Data("utf16le_bom.dxf")).out,
              RunCli("-q " + Data("square_with_circle_hole.dxf")).out);
}

// dxflib would zero-fill gigabytes for these counts: the command must stay small.
class GuardedCountMemory : public testing::TestWithParam<const char*> {};

TEST_P(GuardedCountMemory, StaysFarBelowWhatTheCountClaims) {
    const RunResult r = RunCliMeasured(DataPath(GetParam()));
    EXPECT_EQ(r.status, 0) << GetParam() << r.err;
    EXPECT_LT(r.peakKilobytes, 400 * 1024) << GetParam();
    EXPECT_NE(r.out.find("SHAPE # 0"), std::string::npos) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Files, GuardedCountMemory,
                         testing::Values("count_lwpolyline_90.dxf", "count_spline_72.dxf",
                                         "count_spline_73.dxf", "count_spline_74.dxf",
                                         "count_leader_76.dxf", "count_code_wraps.dxf",
                                         "lwpoly_count_1073741824.dxf"));

TEST(CliOptions, DistanceMustBeAFiniteNumberNotBelowZero) {
    for (const char* bad : {"nan", "-1", "inf", "-inf", "1e999", "1.5x"}) {
        const RunResult r = RunCli(std::string("-d ") + bad + " " + Data("square_shuffled.dxf"));
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.err.find("finite number >= 0"), std::string::npos) << bad << r.err;
        EXPECT_EQ(r.out, "") << bad;
    }
    EXPECT_EQ(RunCli("-q -d 0 " + Data("square_shuffled.dxf")).status, 0);
}

TEST(CliOptions, OpenModeIsZeroOneOrTwo) {
    for (const char* bad : {"7", "-1", "3"})
        EXPECT_EQ(
            RunCli(std::string("--open-mode ") + bad + " " + Data("square_shuffled.dxf")).status, 2)
            << bad;
    for (const char* good : {"0", "1", "2"})
        EXPECT_EQ(RunCli(std::string("-q --open-mode ") + good + " " + Data("square_shuffled.dxf"))
                      .status,
                  0)
            << good;
}

TEST(CliFileNames, Latin1NameOpensExactlyThatFile) {
    const std::string folder = Folder("latin1");
    const std::string latin1 = folder + "/caf\xE9.dxf";
    const std::string replaced = folder + "/caf\xEF\xBF\xBD.dxf"; // what a lossy conversion gives
    fs::copy_file(DataPath("square_with_circle_hole.dxf"), latin1);
    fs::copy_file(DataPath("concentric_circles.dxf"), replaced);
    const std::string expected = RunCli("-q " + Data("square_with_circle_hole.dxf")).out;
    const RunResult listing = RunCli("-q " + Quote(latin1));
    EXPECT_EQ(listing.status, 0) << listing.err;
    EXPECT_EQ(listing.out, expected);
    EXPECT_EQ(RunCli("--contours " + Quote(latin1)).out,
              RunCli("--contours " + Data("square_with_circle_hole.dxf")).out);
    EXPECT_NE(RunCli("--log -q " + Quote(latin1)).out.find("Radius = 2"), std::string::npos);
    fs::remove(latin1);
    EXPECT_EQ(RunCli("-q " + Quote(latin1)).status, 1); // never the other file
}

TEST(CliJson, WarningsAndNotesOnlyWhenThereAreAny) {
    const RunResult clean = RunCli("-d 0.001 --format json " + Data("square_with_circle_hole.dxf"));
    EXPECT_EQ(clean.out.find("\"warnings\""), std::string::npos);
    EXPECT_EQ(clean.out.find("\"notes\""), std::string::npos);
    const RunResult radius = RunCli("-d 0.001 --format json " + Data("radius_zero_negative.dxf"));
    EXPECT_EQ(radius.err, ""); // the warning is in the document
    EXPECT_NE(radius.out.find("  \"warnings\": [\n    {\n      \"code\": \"degenerateRadius\",\n"
                              "      \"layer\": \"0\",\n      \"count\": 4,\n      \"message\": "
                              "\"4 circles or arcs on layer 0 have a radius that is not a "
                              "positive number and were left out\"\n    }\n  ],\n"),
              std::string::npos)
        << radius.out;
    const RunResult huge = RunCli("-q --format json " + Data("huge_coords.dxf"));
    EXPECT_NE(huge.out.find("null"), std::string::npos);
    EXPECT_NE(huge.out.find("\"notes\": [\n    \"numbers that are not finite"), std::string::npos)
        << huge.out;
    EXPECT_NE(RunCli("-q --format json " + Data("truncated_mid_entity.dxf"))
                  .out.find("\"flags\": [\n      \"truncated\"\n    ]"),
              std::string::npos);
}

TEST(CliPicture, ExtentThatIsNotFiniteIsRefused) {
    const std::string folder = Folder("huge_picture");
    for (const char* format : {"png", "svg"}) {
        const std::string target = folder + "/huge." + format;
        const RunResult r = RunCli("-q --format " + std::string(format) + " -o " + Quote(target) +
                                   " " + Data("huge_coords.dxf"));
        EXPECT_EQ(r.status, 1) << format;
        EXPECT_EQ(r.err, "quillform: " + DataPath("huge_coords.dxf") +
                             ": the drawing's extent is not a finite number (its coordinates "
                             "overflow), so it cannot be drawn\n")
            << format;
    }
    EXPECT_TRUE(Entries(folder).empty());
}

// A drawing of n squares of four LINEs, each with a CIRCLE hole.
std::string SquaresWithHoles(int n) {
    std::ostringstream dxf;
    dxf << "0\nSECTION\n2\nENTITIES\n";
    for (int i = 0; i < n; ++i) {
        const int x = (i % 200) * 30, y = (i / 200) * 30;
        const int corners[5][2] = {{x, y}, {x + 20, y}, {x + 20, y + 20}, {x, y + 20}, {x, y}};
        for (int k = 0; k < 4; ++k)
            dxf << "0\nLINE\n8\nCUT\n10\n"
                << corners[k][0] << "\n20\n"
                << corners[k][1] << "\n11\n"
                << corners[k + 1][0] << "\n21\n"
                << corners[k + 1][1] << "\n";
        dxf << "0\nCIRCLE\n8\nCUT\n10\n" << x + 10 << "\n20\n" << y + 10 << "\n40\n3\n";
    }
    dxf << "0\nENDSEC\n0\nEOF\n";
    return dxf.str();
}

// Memory running out (an address-space limit, as the web server sets for
// its workers) at any point of a read and its check is a failure of that
// file with its message, never a crash.
TEST(CliMemory, RunningOutIsAnErrorNeverACrash) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory needs the address space";
#endif
    const std::string folder = Folder("memory_limit");
    const std::string drawing = folder + "/squares.dxf";
    std::ofstream(drawing, std::ios::binary) << SquaresWithHoles(6000);
    const auto run = [&](int megabytes) {
        const RunResult r = RunCliWithInput("ulimit -v " + std::to_string(megabytes * 1024) + ";",
                                            "-q --check --format json -o " +
                                                Quote(folder + "/out.json") + " " + Quote(drawing));
        if (r.status != 0) {
            EXPECT_EQ(r.status, 1) << megabytes << " MB: " << r.err;
            const bool named =
                r.err.find("not enough memory to read " + drawing) != std::string::npos ||
                r.err.find("not enough memory to check " + drawing) != std::string::npos;
            EXPECT_TRUE(named) << megabytes << " MB: " << r.err;
        }
        return r.status == 0;
    };
    // The least limit that is enough, then every megabyte below it, where
    // the read is done and its check runs out.
    int low = 16, high = 1024;
    ASSERT_FALSE(run(low));
    ASSERT_TRUE(run(high));
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        (run(middle) ? high : low) = middle;
    }
    for (int megabytes = high - 1; megabytes >= high - 8 && megabytes > 16; --megabytes)
        EXPECT_FALSE(run(megabytes)) << megabytes << " MB";
}
} // namespace
