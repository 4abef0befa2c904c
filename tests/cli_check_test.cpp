// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// quillform --check: one line per finding on standard error, JSON findings,
// exit status 5, --fail-on, limits with units.
#include "cli_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace {
std::string Drawing(const std::string& name) {
    return Data("check/" + name + ".dxf");
}

std::string Path(const std::string& name) {
    return std::string(QUILLFORM_TEST_DATA) + "/check/" + name + ".dxf";
}

TEST(CliCheck, AnErrorIsALineWithItsPlaceAndExitStatusFive) {
    const RunResult r = RunCli("--check " + Drawing("self_intersection"));
    EXPECT_EQ(r.status, 5) << r.err;
    const std::string line = "quillform: " + Path("self_intersection") +
                             ": error selfIntersection on layer CUT part 0 at (20, 15): an "
                             "outline of part 0 crosses itself at (20, 15); redraw it so that "
                             "its edges meet only end to end\n";
    EXPECT_NE(r.err.find(line), std::string::npos) << r.err;
    // The listing is the one without --check; -q silences the findings, not the status.
    EXPECT_EQ(r.out, RunCli(Drawing("self_intersection")).out);
    const RunResult quiet = RunCli("-q --check " + Drawing("self_intersection"));
    EXPECT_EQ(quiet.status, 5);
    EXPECT_EQ(quiet.err, "");
}

TEST(CliCheck, WarningsFailOnlyWhenAsked) {
    const std::string args = "-q --check --thickness 3 " + Drawing("small_hole");
    EXPECT_EQ(RunCli(args).status, 0);
    EXPECT_EQ(RunCli("--fail-on warning " + args).status, 5);
    EXPECT_EQ(RunCli("--fail-on info " + args).status, 2);
}

TEST(CliCheck, LimitsWithUnitsAreReadInTheDrawingsUnit) {
    // 0.1 in is 2.54 mm, more than the hole's 2; 1.5 mm is less.
    const RunResult inches =
        RunCli("--format json --check --thickness 0.1in " + Drawing("small_hole"));
    ASSERT_EQ(inches.status, 0) << inches.err;
    const nlohmann::json d = nlohmann::json::parse(inches.out);
    ASSERT_EQ(d.at("findings").size(), 1u);
    const nlohmann::json& f = d.at("findings")[0];
    EXPECT_EQ(f.at("code"), "smallHole");
    EXPECT_EQ(f.at("severity"), "warning");
    EXPECT_EQ(f.at("layer"), "CUT");
    EXPECT_EQ(f.at("part"), 0);
    EXPECT_DOUBLE_EQ(f.at("location").at("x").get<double>(), 25);
    EXPECT_DOUBLE_EQ(f.at("value").get<double>(), 2);
    EXPECT_NEAR(f.at("limit").get<double>(), 2.54, 1e-12);
    const RunResult mm =
        RunCli("-q --format json --check --thickness 1.5mm " + Drawing("small_hole"));
    EXPECT_TRUE(nlohmann::json::parse(mm.out).at("findings").empty());
    // Without --check there is no findings member.
    EXPECT_FALSE(nlohmann::json::parse(RunCli("-q --format json " + Drawing("small_hole")).out)
                     .contains("findings"));
}

TEST(CliCheck, BadLimitsAreBadUsage) {
    EXPECT_EQ(RunCli("--check --thickness 3furlongs " + Drawing("small_hole")).status, 2);
    EXPECT_EQ(RunCli("--check --sheet 100 " + Drawing("small_hole")).status, 2);
    const RunResult unknown = RunCli("-q --check --thickness 3mm " + Drawing("unit_unknown"));
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("needs the drawing's unit"), std::string::npos) << unknown.err;
}
} // namespace
