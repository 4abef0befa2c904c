// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Drawings made to exhaust the reader (deep or wide block graphs, huge
// arrays, counts that claim the whole file, values dxflib cannot read): each
// ends with a sound answer, within bounded memory and stack.
#include "test_support.h"

#include "quillform/drawing.h"
#include "quillform/shape_listing.h"
#include "quillform/status.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <pthread.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
// Kept out of tests/data, which other tests read whole (tests/heavy/README.md).
const char* const kSplineArray = "../../heavy/accurate_spline_block_minsert_20x20.dxf";

quillform::Drawing ReadHostile(const std::string& file, bool accurate,
                               quillform::Engine engine = quillform::Engine::Fast) {
    quillform::Settings settings;
    settings.accurate = accurate;
    settings.engine = engine;
    settings.distance = 0.001;
    return quillform::ReadDrawing(TestData("hostile/" + file), settings);
}

int64_t Warned(const quillform::Drawing& drawing, const std::string& code) {
    int64_t count = 0;
    for (const quillform::Warning& w : drawing.warnings)
        count += w.code == code ? w.count : 0;
    return count;
}

std::vector<size_t> ShapesPerLayer(const quillform::Drawing& drawing) {
    std::vector<size_t> shapes;
    for (const quillform::Layer& layer : drawing.layers)
        shapes.push_back(layer.shapes.size());
    return shapes;
}

struct ExpansionCase {
    const char* file;
    bool accurate;
    int32_t status;
    const char* warning; // given once or more, or ""
};

class HostileDrawing : public testing::TestWithParam<ExpansionCase> {};

TEST_P(HostileDrawing, EndsWithItsStatusAndWarning) {
    const ExpansionCase& c = GetParam();
    const quillform::Drawing drawing = ReadHostile(c.file, c.accurate);
    EXPECT_EQ(drawing.status, c.status) << c.file;
    if (*c.warning) {
        EXPECT_GE(Warned(drawing, c.warning), 1) << c.file << " " << c.warning;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileDrawing,
    testing::Values(
        // a depth limit, not a stack overflow
        ExpansionCase{"accurate_nest_10000_stack_overflow.dxf", true, 0, "nestingTooDeep"},
        // 2^60 visits of blocks that produce nothing: each visit is charged
        ExpansionCase{"accurate_nest_2pow60_empty_leaf_hang.dxf", true, stExpansionLimit,
                      "expansionLimit"},
        ExpansionCase{"fuzz3_min_b38bb1c2_nested_empty_blocks.dxf", true, stExpansionLimit,
                      "expansionLimit"},
        // zero spacing puts every cell on one place: one copy
        ExpansionCase{"accurate_minsert_max_spacing0_hang.dxf", true, 0, ""},
        ExpansionCase{"accurate_minsert_1e5x1e5_cells_before_budget.dxf", true, stExpansionLimit,
                      "expansionLimit"},
        ExpansionCase{"accurate_minsert_1e5x1e5_undefined_block.dxf", true, 0, "undefinedBlock"},
        ExpansionCase{"accurate_budget_cycle_memo_bypass.dxf", true, stExpansionLimit,
                      "expansionLimit"},
        ExpansionCase{"accurate_budget_polyline_counts_once.dxf", true, stExpansionLimit,
                      "expansionLimit"},
        ExpansionCase{"filter_lwpoly_count_flood_256k.dxf", false, 0, "countLowered"},
        ExpansionCase{"filter_lwpoly_count_flood_256k.dxf", true, 0, "countLowered"},
        ExpansionCase{"filter_bom_then_binary.dxf", false, stNotDrawing, "binaryDxf"}),
    [](const testing::TestParamInfo<ExpansionCase>& info) {
        std::string name = info.param.file;
        name = name.substr(0, name.find('.')) + (info.param.accurate ? "_accurate" : "");
        for (char& ch : name)
            ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

TEST(HostileDrawing, DeepNestingNeedsLittleStack) {
    // A host's worker thread: 1 MB of stack.
    struct Job {
        quillform::Drawing drawing;
    } job;
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 1 << 20);
    pthread_t thread;
    ASSERT_EQ(pthread_create(
                  &thread, &attributes,
                  [](void* j) -> void* {
                      static_cast<Job*>(j)->drawing =
                          ReadHostile("accurate_nest_10000_stack_overflow.dxf", true);
                      return nullptr;
                  },
                  &job),
              0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    EXPECT_TRUE(job.drawing.Read());
    EXPECT_EQ(Warned(job.drawing, "nestingTooDeep"), 1);
}

TEST(HostileDrawing, AnArrayOfFittedCurvesIsFittedOnceAndPlacedPerCell) {
    const quillform::Drawing drawing = ReadHostile(kSplineArray, true);
    EXPECT_EQ(drawing.status & (stOutOfMemory | stExpansionLimit), 0);
    // 400 cells of one open spline: 400 open chains, each the same shape moved.
    ASSERT_EQ(drawing.openChains.size(), 400u);
    for (const auto& chain : drawing.openChains)
        EXPECT_EQ(chain.edges, drawing.openChains.front().edges);
}

// A value dxflib cannot read is 0, the same in every run and both engines.
TEST(HostileDrawing, ValuesThatAreNoNumbersAreReadAsZero) {
    for (const bool accurate : {false, true}) {
        const quillform::Drawing drawing =
            ReadHostile("dxflib_empty_real_value_uninitialised.dxf", accurate);
        EXPECT_EQ(Warned(drawing, "badNumber"), 2);
        ASSERT_EQ(ShapesPerLayer(drawing), std::vector<size_t>{1});
        const quillform::Shape& circle = drawing.layers[0].shapes[0];
        EXPECT_EQ(circle.circle.center.x, 5);
        EXPECT_EQ(circle.circle.center.y, 0);
        EXPECT_EQ(circle.circle.radius, 2);
    }
}

TEST(HostileDrawing, AMangledCodeLineReadsAlikeInBothEngines) {
    for (const bool accurate : {false, true}) {
        const quillform::Drawing fast =
            ReadHostile("fuzz3_diff_uninitialised_21F_min.dxf", accurate);
        const quillform::Drawing reference = ReadHostile("fuzz3_diff_uninitialised_21F_min.dxf",
                                                         accurate, quillform::Engine::Reference);
        EXPECT_EQ(Warned(fast, "badNumber"), 1);
        EXPECT_EQ(fast.status, reference.status);
        ASSERT_EQ(fast.openChains.size(), reference.openChains.size());
        for (size_t i = 0; i < fast.openChains.size(); ++i) {
            EXPECT_EQ(fast.openChains[i].first.x, reference.openChains[i].first.x);
            EXPECT_EQ(fast.openChains[i].first.y, reference.openChains[i].first.y);
            EXPECT_EQ(fast.openChains[i].last.y, reference.openChains[i].last.y);
        }
    }
}

TEST(HostileDrawing, LfCrLineEndsAreLineEnds) {
    const quillform::Drawing drawing = ReadHostile("filter_lf_cr_line_end_desync.dxf", false);
    EXPECT_EQ(drawing.status, 0);
    ASSERT_EQ(ShapesPerLayer(drawing), std::vector<size_t>{1});
    EXPECT_EQ(drawing.layers[0].shapes[0].vertices.size(), 4u);
    EXPECT_EQ(drawing.layers[0].shapes[0].holes.size(), 1u);
}

TEST(HostileDrawing, VerticesBeyondTheirCountAreKept) {
    for (const bool accurate : {false, true}) {
        const quillform::Drawing drawing =
            ReadHostile("lwpoly_90_smaller_than_vertices.dxf", accurate);
        EXPECT_EQ(Warned(drawing, "countMismatch"), 1);
        ASSERT_EQ(ShapesPerLayer(drawing), std::vector<size_t>{1});
        EXPECT_EQ(drawing.layers[0].shapes[0].vertices.size(), 1000u);
    }
}

// The most memory one read of each file takes, measured in a child process.
#if defined(__SANITIZE_ADDRESS__)
constexpr long kMemoryLimitKb = 800 * 1024; // the sanitizer's shadow and quarantine
#else
constexpr long kMemoryLimitKb = 200 * 1024;
#endif

long PeakKilobytesOfRead(const std::string& file, bool accurate) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        rusage before{}, after{};
        getrusage(RUSAGE_SELF, &before);
        ReadHostile(file, accurate);
        getrusage(RUSAGE_SELF, &after);
        const long grown = after.ru_maxrss - before.ru_maxrss;
        _exit(write(pipeEnds[1], &grown, sizeof grown) == sizeof grown ? 0 : 1);
    }
    close(pipeEnds[1]);
    long grown = -1;
    if (read(pipeEnds[0], &grown, sizeof grown) != sizeof grown)
        grown = -1;
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? grown : -1;
}

TEST(HostileDrawing, EveryFileIsReadInBoundedMemory) {
    for (const char* file :
         {"accurate_nest_10000_stack_overflow.dxf", "accurate_nest_2pow60_empty_leaf_hang.dxf",
          "accurate_minsert_max_spacing0_hang.dxf",
          "accurate_minsert_1e5x1e5_cells_before_budget.dxf",
          "accurate_minsert_1e5x1e5_undefined_block.dxf", "accurate_budget_cycle_memo_bypass.dxf",
          "accurate_budget_polyline_counts_once.dxf", kSplineArray,
          "filter_lwpoly_count_flood_256k.dxf"}) {
        const long grown = PeakKilobytesOfRead(file, true);
        EXPECT_GE(grown, 0) << file;
        EXPECT_LT(grown, kMemoryLimitKb) << file;
    }
}
} // namespace

namespace {
// The value API refuses what the command refuses, with a status and the
// reason; the facade's own setters keep their behaviour.
TEST(SettingsCheck, TheValueApiRefusesWhatTheCommandRefuses) {
    const auto refused = [](void (*change)(quillform::Settings&)) {
        quillform::Settings settings;
        change(settings);
        return quillform::ReadDrawing(TestData("square_with_circle_hole.dxf"), settings);
    };
    for (auto* change : std::vector<void (*)(quillform::Settings&)>{
             [](quillform::Settings& s) { s.distance = std::nan(""); },
             [](quillform::Settings& s) { s.distance = -1; },
             [](quillform::Settings& s) { s.openMode = 3; },
             [](quillform::Settings& s) { s.curveTolerance = -1; },
             [](quillform::Settings& s) { s.expansionLimit = -5; }}) {
        const quillform::Drawing drawing = refused(change);
        EXPECT_EQ(drawing.status, stBadSettings);
        EXPECT_TRUE(drawing.layers.empty());
        ASSERT_EQ(drawing.warnings.size(), 1u);
        EXPECT_EQ(drawing.warnings[0].code, "badSettings");
        EXPECT_FALSE(drawing.warnings[0].message.empty());
    }
    EXPECT_EQ(refused([](quillform::Settings&) {}).status, 0);
}
} // namespace
