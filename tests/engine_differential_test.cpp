// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The fast engine against the reference engine: every contour, vertex, arc
// field, part, hole, box and status bit must be the same, bit for bit.
#include "collector_fixture.h"
#include "engine_compare.h"
#include "random_drawing.h"
#include "test_support.h"

#include "collect/dxf_parse.h"
#include "collect/expansion_budget.h"
#include "pipeline/geometry_mode.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

using namespace quillform::detail;

namespace {
struct Settings {
    double distance;
    bool mix;
    int32_t openMode;
};

// Distances 0, 0.5 and 1, mix layers off and on, open modes 0, 1 and 2.
std::vector<Settings> AllSettings() {
    std::vector<Settings> all;
    for (const double distance : {0.0, 0.5, 1.0})
        for (const bool mix : {false, true})
            for (const int32_t mode : {0, 1, 2})
                all.push_back(Settings{distance, mix, mode});
    return all;
}

quillform::Settings ReadSettingsOf(const Settings& s) {
    quillform::Settings settings;
    settings.distance = s.distance;
    settings.mixLayers = s.mix;
    settings.openMode = s.openMode;
    return settings;
}

std::string Describe(const Settings& s) {
    return "distance " + std::to_string(s.distance) + (s.mix ? " mixed" : " by layer") +
           " open mode " + std::to_string(s.openMode);
}

std::vector<std::string> DrawingsIn(const std::string& folder) {
    std::vector<std::string> files;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".dxf") == 0)
                files.push_back(folder + "/" + name);
        }
        closedir(dir);
    }
    return files;
}

void CompareOnFiles(const std::vector<std::string>& files) {
    ASSERT_FALSE(files.empty());
    for (const std::string& file : files) {
        Test_CreationClass collector;
        if (!ParseDxfPath(file, collector))
            continue;
        collector.FlushLastPolyline();
        collector.ExplodeBulgedPolylines(1e-5);
        for (const Settings& s : AllSettings())
            EXPECT_EQ(CompareEngines(collector, ReadSettingsOf(s)), "")
                << file << ", " << Describe(s);
    }
}

TEST(EngineDifferential, EveryTestDrawing) {
    CompareOnFiles(DrawingsIn(QUILLFORM_TEST_DATA));
}

// The accurate geometry rules hand linking polylines that carry arcs, closed
// curves as closed polylines, and copies placed by any map.
void CompareAccurateOnFiles(const std::vector<std::string>& files) {
    ASSERT_FALSE(files.empty());
    quillform::Settings accurate;
    accurate.accurate = true;
    accurate.curveTolerance = 1e-3;
    for (const std::string& file : files) {
        quillform::Diagnostics report;
        TExpansionBudget budget(TExpansionBudget::kDefaultLimit);
        TReadContext context{accurate, report, budget};
        const auto mode = MakeGeometryMode(accurate);
        const auto collector = mode->MakeCollector(quillform::EntityEvents(), context);
        if (!ParseDxfPath(file, *collector))
            continue;
        collector->FinishCollecting();
        try {
            mode->PrepareForLinking(*collector, context);
        } catch (const TExpansionLimitReached&) {
            continue; // a read that stops before linking
        }
        for (const Settings& s : AllSettings()) {
            quillform::Settings settings = ReadSettingsOf(s);
            settings.accurate = true;
            EXPECT_EQ(CompareEngines(*collector, settings), "")
                << file << ", accurate, " << Describe(s);
        }
    }
}

TEST(EngineDifferential, AccurateGeometryDrawings) {
    std::vector<std::string> files = DrawingsIn(std::string(QUILLFORM_TEST_DATA) + "/accurate");
    const std::vector<std::string> real = DrawingsIn(QUILLFORM_REAL_DRAWINGS);
    files.insert(files.end(), real.begin(), real.end());
    CompareAccurateOnFiles(files);
}

TEST(EngineDifferential, EveryRealDrawing) {
    const std::vector<std::string> files = DrawingsIn(QUILLFORM_REAL_DRAWINGS);
    ASSERT_FALSE(files.empty()) << QUILLFORM_REAL_DRAWINGS;
    CompareOnFiles(files);
}

std::vector<std::string> HostileDrawings(std::initializer_list<const char*> names,
                                         const std::string& folder = QUILLFORM_TEST_DATA) {
    std::vector<std::string> files;
    for (const char* name : names)
        if (FILE* file = std::fopen((folder + "/" + name).c_str(), "rb")) {
            std::fclose(file);
            files.push_back(folder + "/" + name);
        }
    return files;
}

// The hostile inputs that dxflib itself reads without crashing or filling
// the memory (those that do are for the collector to refuse).
TEST(EngineDifferential, HostileDrawings) {
    const std::vector<std::string> files = HostileDrawings(
        {"huge_coords.dxf", "radius_zero_negative.dxf", "truncated_mid_entity.dxf",
         "layer_name_1023.dxf", "binary_dxf.dxf", "utf16le_bom.dxf", "only_eof.dxf"});
    ASSERT_EQ(files.size(), 7u);
    CompareOnFiles(files);
}

// A fuzzed nesting sheet of 110 inserts: the reference engine needs half a
// minute for each setting, so it is compared in the soak run only.
TEST(EngineDifferential, SoakFuzzedSheet) {
    if (!std::getenv("QUILLFORM_SOAK_DRAWINGS"))
        GTEST_SKIP() << "part of the soak run";
    const std::vector<std::string> files =
        HostileDrawings({"fuzz_timeout_56c528a2.dxf"}, QUILLFORM_SOAK_DATA);
    ASSERT_EQ(files.size(), 1u);
    CompareOnFiles(files);
}

// QUILLFORM_SOAK_DRAWINGS and QUILLFORM_SOAK_PARTS raise the count and the
// size of the drawings for a long run (the soak target).
int FromEnvironment(const char* name, int normal) {
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : normal;
}

TEST(EngineDifferential, RandomDrawings) {
    const std::vector<Settings> all = AllSettings();
    const int count = FromEnvironment("QUILLFORM_SOAK_DRAWINGS", 3000);
    const int parts = FromEnvironment("QUILLFORM_SOAK_PARTS", 12);
    int differing = 0;
    for (int seed = 1; seed <= count && differing < 5; ++seed) {
        Test_CreationClass collector;
        FeedRandomDrawing(static_cast<uint32_t>(seed), 1 + seed % parts, collector);
        const Settings& s = all[static_cast<size_t>(seed) % all.size()];
        const std::string difference = CompareEngines(collector, ReadSettingsOf(s));
        EXPECT_EQ(difference, "") << "seed " << seed << ", " << Describe(s);
        differing += difference.empty() ? 0 : 1;
    }
}

// Accurate geometry links nearest ends first: the engines find them in
// different ways and must still pick the same, ties included (random
// drawings are full of coincident and equally near ends).
TEST(EngineDifferential, RandomDrawingsNearestFirst) {
    const std::vector<Settings> all = AllSettings();
    int differing = 0;
    for (int seed = 1; seed <= 1500 && differing < 5; ++seed) {
        Test_CreationClass collector;
        FeedRandomDrawing(static_cast<uint32_t>(seed), 1 + seed % 12, collector);
        quillform::Settings settings = ReadSettingsOf(all[static_cast<size_t>(seed) % all.size()]);
        settings.accurate = true;
        const std::string difference = CompareEngines(collector, settings);
        EXPECT_EQ(difference, "") << "seed " << seed;
        differing += difference.empty() ? 0 : 1;
    }
}

// Distances no one types, which the literal tests still answer.
TEST(EngineDifferential, UnusualDistances) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (const double distance : {nan, -1.0, -0.0, 1e-300, 3.0, 1e308, inf})
        for (uint32_t seed = 1; seed <= 40; ++seed) {
            Test_CreationClass collector;
            FeedRandomDrawing(seed + 100000, 6, collector);
            quillform::Settings settings;
            settings.distance = distance;
            settings.openMode = seed % 3;
            EXPECT_EQ(CompareEngines(collector, settings), "")
                << "seed " << seed << ", distance " << distance;
        }
}
} // namespace
