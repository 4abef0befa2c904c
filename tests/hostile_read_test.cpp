// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Broken and hostile files through the reader: what each read reports.
#include "collect/expansion_budget.h"
#include "test_support.h"

#include "quillform/dxf_quillform.h"
#include "quillform/result_copy.h"
#include "quillform/status.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <vector>

using namespace quillform::detail;

namespace {
struct Outcome {
    int32_t status = 0;
    int readDone = 0;
    int circleEvents = 0;
    int arcEvents = 0;
    std::vector<std::string> layers;
    std::vector<int> shapes; // per layer
    std::vector<quillform::Warning> warnings;

    int Warned(const std::string& code) const {
        int64_t count = 0;
        for (const quillform::Warning& w : warnings)
            count += w.code == code ? w.count : 0;
        return static_cast<int>(count);
    }
};

struct Job {
    TDXFQuillform reader;
    Outcome outcome;
    bool failOnSegment = false;
};

Outcome Read(const std::filesystem::path& path, int64_t expansionLimit = 0,
             bool failOnSegment = false) {
    Job job;
    job.failOnSegment = failOnSegment;
    job.reader.OnCircle = {[](void* c, double, double, double, double, const wchar_t*) {
                               ++static_cast<Job*>(c)->outcome.circleEvents;
                           },
                           &job};
    job.reader.OnArc = {[](void* c, double, double, double, double, double, double, double, double,
                           double, double,
                           const wchar_t*) { ++static_cast<Job*>(c)->outcome.arcEvents; },
                        &job};
    // An allocation that fails while the file is parsed.
    job.reader.OnSegment = {
        [](void* c, double, double, double, double, double, double, const wchar_t*) {
            if (static_cast<Job*>(c)->failOnSegment)
                throw std::bad_alloc();
        },
        &job};
    job.reader.OnReadDone = {[](void* c) {
                                 auto* j = static_cast<Job*>(c);
                                 ++j->outcome.readDone;
                                 const quillform::TResultCopy copy =
                                     quillform::CopyResults(j->reader);
                                 for (int32_t i = 0; i < copy.LayerCount; ++i) {
                                     j->outcome.layers.push_back(copy.Layers[i].Name.get());
                                     j->outcome.shapes.push_back(copy.Layers[i].ShapeCount);
                                 }
                             },
                             &job};
    job.reader.SetLinkingDistance(0.001);
    job.reader.SetExpansionLimit(expansionLimit);
    job.reader.Read(path);
    job.outcome.status = job.reader.GetStatus();
    job.outcome.warnings = job.reader.GetReport().warnings;
    return job.outcome;
}

struct HostileCase {
    const char* file;
    int32_t status;
    std::vector<int> shapes; // per layer; empty: no layers at all
    const char* warning;     // a warning the read must give, or ""
};

class HostileFile : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileFile, GivesItsStatusLayersAndWarning) {
    const HostileCase& c = GetParam();
    const Outcome o = Read(TestData(c.file));
    EXPECT_EQ(o.readDone, 1) << c.file;
    EXPECT_EQ(o.status, c.status) << c.file;
    EXPECT_EQ(o.shapes, c.shapes) << c.file;
    if (*c.warning)
        EXPECT_EQ(o.Warned(c.warning), 1) << c.file << " " << c.warning;
    else
        EXPECT_TRUE(o.warnings.empty()) << c.file << " " << o.warnings.front().code;
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileFile,
    testing::Values(HostileCase{"empty.dxf", stNotDrawing, {}, ""},
                    HostileCase{"only_eof.dxf", stNotDrawing, {}, ""},
                    HostileCase{"binary_dxf.dxf", stNotDrawing, {}, "binaryDxf"},
                    HostileCase{"fuzz_oom_min_lwpoly90.dxf", stNotDrawing, {}, "countLowered"},
                    HostileCase{"truncated_mid_entity.dxf", stTruncated, {0}, ""},
                    // the shapes before the cut are built: truncation is no linking failure
                    HostileCase{"truncated_after_square.dxf", stTruncated, {1}, ""},
                    HostileCase{"utf16le_bom.dxf", 0, {1}, "utf16"},
                    HostileCase{"utf16be_no_bom.dxf", 0, {1}, "utf16"},
                    HostileCase{"line_ends_cr.dxf", 0, {1}, ""},
                    HostileCase{"line_ends_crlf.dxf", 0, {1}, ""},
                    HostileCase{"layer_name_1023.dxf", 0, {1}, ""},
                    HostileCase{"long_lines.dxf", 0, {0, 0, 1}, "longLine"},
                    HostileCase{"lwpoly_count_1073741824.dxf", 0, {1}, "countLowered"},
                    HostileCase{"SPLINE_72_268435456.dxf", 0, {0}, "countLowered"},
                    HostileCase{"count_lwpolyline_90.dxf", 0, {1}, "countLowered"},
                    HostileCase{"count_spline_72.dxf", 0, {1}, "countLowered"},
                    HostileCase{"count_spline_73.dxf", 0, {1}, "countLowered"},
                    HostileCase{"count_spline_74.dxf", 0, {1}, "countLowered"},
                    HostileCase{"count_leader_76.dxf", 0, {1}, "countLowered"},
                    HostileCase{"count_code_wraps.dxf", 0, {1}, "countLowered"},
                    HostileCase{"count_lwpolyline_kept.dxf", 0, {1}, ""}));

TEST(HostileFile, SquareWithHoleReadsAlikeWhateverItsLineEndsAndEncoding) {
    const Outcome lf = Read(TestData("square_with_circle_hole.dxf"));
    for (const char* file : {"line_ends_cr.dxf", "line_ends_crlf.dxf", "utf16le_bom.dxf"}) {
        const Outcome other = Read(TestData(file));
        EXPECT_EQ(other.layers, lf.layers) << file;
        EXPECT_EQ(other.shapes, lf.shapes) << file;
        EXPECT_EQ(other.circleEvents, lf.circleEvents) << file;
    }
}

TEST(HostileFile, LongLayerNamesAreCutAndTheRestIsNotMisread) {
    const Outcome o = Read(TestData("long_lines.dxf"));
    ASSERT_EQ(o.layers.size(), 3u);
    EXPECT_EQ(o.layers[0], std::string(1023, 'L'));
    EXPECT_EQ(o.layers[1], std::string(1023, 'K'));
    EXPECT_EQ(o.layers[2], "0");
    EXPECT_EQ(Read(TestData("layer_name_1023.dxf")).layers,
              std::vector<std::string>{std::string(1023, 'A')});
}

TEST(DegenerateRadius, IsReportedByItsEventButNotStored) {
    const Outcome o = Read(TestData("radius_zero_negative.dxf"));
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.circleEvents + o.arcEvents, 4);
    EXPECT_EQ(o.shapes, std::vector<int>{1}); // the square only
    EXPECT_EQ(o.Warned("degenerateRadius"), 4);

    const Outcome overflow = Read(TestData("radius_overflow.dxf"));
    EXPECT_EQ(overflow.circleEvents, 2);
    EXPECT_EQ(overflow.arcEvents, 1);
    EXPECT_EQ(overflow.Warned("degenerateRadius"), 2); // -1e999 on 0 and -0 on Cut
    EXPECT_EQ(overflow.shapes, (std::vector<int>{1, 0}));
}

TEST(ExpansionBudget, StopsTheReadWhenInsertsWouldExceedIt) {
    // 10 inserts of a block of 20 lines: 200 entities.
    const Outcome enough = Read(TestData("inserted_many.dxf"), 200);
    EXPECT_EQ(enough.status, 0);
    EXPECT_EQ(enough.Warned("expansionLimit"), 0);
    const Outcome over = Read(TestData("inserted_many.dxf"), 199);
    EXPECT_EQ(over.status, stExpansionLimit);
    EXPECT_EQ(over.readDone, 1);
    EXPECT_TRUE(over.layers.empty());
    ASSERT_EQ(over.warnings.size(), 1u);
    EXPECT_EQ(over.warnings[0].count, 199); // the limit, for the message
}

TEST(ExpansionBudget, SpendsUntilTheLimitAndNoFurther) {
    TExpansionBudget budget(10);
    budget.Spend(4);
    budget.Spend(6);
    EXPECT_EQ(budget.Left(), 0);
    EXPECT_THROW(budget.Spend(1), TExpansionLimitReached);
    EXPECT_EQ(budget.Left(), 0);
}

struct MemoryCase {
    TMemoryFigures memory;
    int64_t limit;
};

class ExpansionLimitFromMemory : public testing::TestWithParam<MemoryCase> {};

TEST_P(ExpansionLimitFromMemory, UsesHalfOfTheTightestFigure) {
    EXPECT_EQ(ExpansionLimitFor(GetParam().memory), GetParam().limit)
        << GetParam().memory.available << " " << GetParam().memory.addressSpace << " "
        << GetParam().memory.controlGroup;
}

constexpr int64_t kGiB = int64_t{1} << 30;

INSTANTIATE_TEST_SUITE_P(
    Figures, ExpansionLimitFromMemory,
    testing::Values(MemoryCase{{-1, -1, -1}, 10'000'000},
                    MemoryCase{{24 * kGiB, -1, -1}, 10'000'000},
                    MemoryCase{{kGiB, -1, -1}, kGiB / 2 / kBytesPerEntity},
                    MemoryCase{{24 * kGiB, kGiB / 2, -1}, kGiB / 4 / kBytesPerEntity},
                    MemoryCase{{24 * kGiB, -1, 2 * kGiB}, 2'097'152}, MemoryCase{{0, -1, -1}, 0}));

TEST(OutOfMemory, IsItsOwnStatusAndLeavesNoLayers) {
    const Outcome o = Read(TestData("square_with_circle_hole.dxf"), 0, true);
    EXPECT_EQ(o.status, stOutOfMemory);
    EXPECT_EQ(o.readDone, 1);
    EXPECT_TRUE(o.layers.empty());
    // and the reader is ready for the next read
    EXPECT_EQ(Read(TestData("square_with_circle_hole.dxf")).status, 0);
}

TEST(FileNames, AreOpenedByTheirExactBytes) {
    const std::string dir = testing::TempDir();
    const std::string latin1 = dir + "caf\xE9.dxf";           // not valid UTF-8
    const std::string replaced = dir + "caf\xEF\xBF\xBD.dxf"; // U+FFFD in UTF-8
    std::filesystem::copy_file(TestData("square_with_circle_hole.dxf"), latin1,
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy_file(TestData("concentric_circles.dxf"), replaced,
                               std::filesystem::copy_options::overwrite_existing);
    const Outcome o = Read(std::filesystem::path(latin1));
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.circleEvents, 1); // the square's hole, not the two circles of the other file
    std::filesystem::remove(latin1);
    EXPECT_EQ(Read(std::filesystem::path(latin1)).status, stReadError);
    std::filesystem::remove(replaced);
}
} // namespace
