// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The index of entity ends against a plain scan: the earliest live entity
// with an end Near the point, for every kind of distance and coordinate.
#include "link/contour_building.h"
#include "link/end_index.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace quillform::detail;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
using End = TEndIndex::End;

uint32_t Scan(const std::vector<End>& ends, const std::vector<bool>& removed, uint32_t group,
              TPoint2D p, double distance) {
    uint32_t best = TEndIndex::kNone;
    for (const End& e : ends)
        if (e.group == group && !removed[e.key] && e.key < best &&
            Near(TPoint2D(e.x, e.y), p, distance))
            best = e.key;
    return best;
}

struct IndexCase {
    const char* name;
    double distance;
    double spread;     // coordinates are multiples of a quarter within this
    double oddities;   // share of NaN, infinite and huge coordinates
    uint32_t entities; // two ends each
};

class EndIndexAgainstScan : public testing::TestWithParam<IndexCase> {};

TEST_P(EndIndexAgainstScan, EarliestLiveEntityWithinReach) {
    const IndexCase& c = GetParam();
    std::mt19937 random(12345);
    const auto coordinate = [&]() {
        if (std::uniform_real_distribution<double>(0, 1)(random) < c.oddities) {
            const double odd[] = {kNaN, kInf, -kInf, 1e308, -1e308, 1e-200};
            return odd[random() % 6];
        }
        return 0.25 * static_cast<double>(random() % static_cast<uint32_t>(4 * c.spread + 1));
    };
    std::vector<End> ends;
    for (uint32_t key = 0; key < c.entities; ++key)
        for (int k = 0; k < 2; ++k)
            ends.push_back(End{coordinate(), coordinate(), key, key % 3 == 0 ? 1u : 0u});
    TEndIndex index(ends, c.entities, 2, c.distance);
    std::vector<bool> removed(c.entities, false);
    for (int step = 0; step < 400; ++step) {
        const TPoint2D p(coordinate(), coordinate());
        const uint32_t group = random() % 2;
        const uint32_t expected = Scan(ends, removed, group, p, c.distance);
        ASSERT_EQ(index.Earliest(group, p), expected)
            << c.name << " step " << step << " at (" << p.X << ", " << p.Y << ")";
        if (expected != TEndIndex::kNone || step % 3 == 0) {
            const uint32_t key = expected != TEndIndex::kNone ? expected : random() % c.entities;
            index.Remove(key);
            removed[key] = true;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Distances, EndIndexAgainstScan,
                         testing::Values(IndexCase{"ZeroDistance", 0, 10, 0, 300},
                                         IndexCase{"HalfUnit", 0.5, 10, 0, 300},
                                         IndexCase{"ExactlyTheGridStep", 0.25, 5, 0, 300},
                                         IndexCase{"CoincidentEnds", 0, 0, 0, 2000},
                                         IndexCase{"OddCoordinates", 0.5, 10, 0.2, 300},
                                         IndexCase{"OddCoordinatesAtZero", 0, 3, 0.3, 300},
                                         IndexCase{"InfiniteDistance", kInf, 10, 0.2, 300},
                                         IndexCase{"HugeDistance", 1e308, 10, 0.2, 300},
                                         IndexCase{"NegativeZeroDistance", -0.0, 3, 0, 300},
                                         IndexCase{"NegativeDistance", -1, 3, 0, 100},
                                         IndexCase{"NaNDistance", kNaN, 3, 0, 100}),
                         [](const testing::TestParamInfo<IndexCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(EndIndex, UnknownGroupAndNaNPointFindNothing) {
    TEndIndex index({End{0, 0, 0, 0}, End{1, 0, 0, 0}}, 1, 1, 1);
    EXPECT_EQ(index.Earliest(0, TPoint2D(0, 0)), 0u);
    EXPECT_EQ(index.Earliest(1, TPoint2D(0, 0)), TEndIndex::kNone);
    EXPECT_EQ(index.Earliest(0, TPoint2D(kNaN, 0)), TEndIndex::kNone);
    index.Remove(0);
    index.Remove(0); // twice changes nothing
    EXPECT_EQ(index.Earliest(0, TPoint2D(0, 0)), TEndIndex::kNone);
}
} // namespace
