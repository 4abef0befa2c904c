// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Memory running out part way through a read, at many points of real
// drawings: the read ends with outOfMemory and no shapes, never a crash, a
// hang or a leak (the sanitizer build checks for leaks at exit), and the
// next read is whole again.
#include "failing_allocator.h"
#include "test_support.h"

#include "quillform/drawing.h"
#include "quillform/status.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>

namespace {
using quillform::fuzz::AllocationFailed;
using quillform::fuzz::AllocationsSinceArmed;
using quillform::fuzz::FailAllocation;

// Allocations are failed at 1, 1 + stride, 1 + 2 stride, ... of a read:
// every one of them in the small drawings, where each step of a read is
// only a few allocations long.
struct Case {
    const char* file;
    bool accurate;
    uint64_t stride = 97;
};

class AllocationFailure : public testing::TestWithParam<Case> {};

// The same outcome as the whole read: status, layers and the count of shapes in each.
void ExpectWhole(const quillform::Drawing& got, const quillform::Drawing& whole, uint64_t at) {
    EXPECT_EQ(got.status, whole.status) << "allocation " << at;
    ASSERT_EQ(got.layers.size(), whole.layers.size()) << "allocation " << at;
    for (size_t i = 0; i < got.layers.size(); ++i)
        EXPECT_EQ(got.layers[i].shapes.size(), whole.layers[i].shapes.size())
            << "allocation " << at;
}

quillform::Settings SettingsFor(const Case& c) {
    quillform::Settings settings;
    settings.accurate = c.accurate;
    return settings;
}

TEST_P(AllocationFailure, EveryInjectedFailureEndsAsOutOfMemory) {
    const std::filesystem::path path = TestData(GetParam().file);
    const quillform::Settings settings = SettingsFor(GetParam());
    FailAllocation(std::numeric_limits<uint64_t>::max());
    const quillform::Drawing whole = quillform::ReadDrawing(path, settings);
    const uint64_t allocations = AllocationsSinceArmed();
    ASSERT_FALSE(AllocationFailed());
    ASSERT_TRUE(whole.hasShapes) << path;
    const uint64_t stride = GetParam().stride;
    ASSERT_GT(allocations, stride);
    int failures = 0;
    for (uint64_t at = 1; at <= allocations; at += stride) {
        FailAllocation(at);
        const quillform::Drawing drawing = quillform::ReadDrawing(path, settings);
        ASSERT_TRUE(AllocationFailed()) << "allocation " << at;
        if (!(drawing.status & stOutOfMemory)) {
            // A request the standard library may be refused (shrink_to_fit)
            // without throwing: then nothing may be missing.
            ExpectWhole(drawing, whole, at);
            continue;
        }
        EXPECT_FALSE(drawing.Read()) << "allocation " << at;
        EXPECT_TRUE(drawing.layers.empty()) << "allocation " << at;
        ++failures;
    }
    EXPECT_GT(failures, 1);
    ExpectWhole(quillform::ReadDrawing(path, settings), whole, 0);
}

INSTANTIATE_TEST_SUITE_P(Drawings, AllocationFailure,
                         testing::Values(Case{"accurate/nested_later.dxf", true},
                                         Case{"accurate/nested_later.dxf", false},
                                         Case{"accurate/spline_part.dxf", true},
                                         Case{"circle_with_two_holes.dxf", false},
                                         // blocks, bulges and every kind of entity
                                         Case{"insert_all_kinds.dxf", true, 1},
                                         Case{"insert_all_kinds.dxf", false, 1},
                                         // open chains beside closed contours
                                         Case{"diagnostics/gaps.dxf", false, 1},
                                         Case{"diagnostics/gaps.dxf", true, 1}));
} // namespace
