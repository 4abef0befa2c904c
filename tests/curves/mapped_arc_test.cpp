// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "curves/curve_oracle.h"
#include "expand/curves/ellipse_arc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

using namespace quillform::detail;

namespace {

const double kTolerances[] = {0.1, 0.01, 0.001};

struct MappedArcCase {
    std::string name;
    TPoint2D center;
    double radius, startDeg, endDeg;
    bool clockwise;
    TAffineMap map;
    bool keepsShape; // a similarity: the image is a circle
};

TPoint2D Apply(const TAffineMap& m, TPoint2D p) {
    return {m.xx * p.X + m.xy * p.Y + m.offset.X, m.yx * p.X + m.yy * p.Y + m.offset.Y};
}

// The arc's own points carried through the map one by one: no ellipse involved.
TTrueCurve TrueImage(const MappedArcCase& c) {
    double sweep = std::fmod(c.clockwise ? c.startDeg - c.endDeg : c.endDeg - c.startDeg, 360.0);
    if (sweep <= 0)
        sweep += 360;
    TTrueCurve curve;
    curve.hi = sweep;
    curve.point = [c](double s) {
        const double a = (c.clockwise ? c.startDeg - s : c.startDeg + s) * kPi / 180;
        return Apply(c.map, TPoint2D(c.center.X + c.radius * std::cos(a),
                                     c.center.Y + c.radius * std::sin(a)));
    };
    return curve;
}

TAffineMap Map(double xx, double xy, double yx, double yy, TPoint2D offset) {
    return {xx, xy, yx, yy, offset};
}

const double kC30 = std::cos(kPi / 6), kS30 = std::sin(kPi / 6);

void PrintTo(const MappedArcCase& c, std::ostream* os) {
    *os << c.name;
}

const MappedArcCase kCases[] = {
    {"unequal_scale", {3, 4}, 5, 20, 300, false, Map(2, 0, 0, 0.7, {10, -3}), false},
    {"unequal_scale_clockwise", {3, 4}, 5, 300, 20, true, Map(2, 0, 0, 0.7, {10, -3}), false},
    {"sheared_full_circle", {0, 0}, 4, 0, 360, false, Map(1, 0.8, 0, 1, {}), false},
    {"mirrored", {1, 2}, 3, 20, 300, false, Map(-2, 0.5, 0.3, 1.2, {5, 5}), false},
    {"mirrored_clockwise", {1, 2}, 3, 300, 20, true, Map(-2, 0.5, 0.3, 1.2, {5, 5}), false},
    {"mirrored_full_circle", {0, 0}, 2, 45, 45, false, Map(1, 0, 0, -3, {}), false},
    {"rotated_scaled",
     {1, 1},
     3,
     10,
     200,
     false,
     Map(1.5 * kC30, -1.5 * kS30, 1.5 * kS30, 1.5 * kC30, {2, -1}),
     true},
    {"mirrored_similar", {1, 1}, 3, 10, 200, false, Map(-2, 0, 0, 2, {}), true},
};

class MappedArcFit : public testing::TestWithParam<MappedArcCase> {};

TEST_P(MappedArcFit, FollowsTheImageInItsDirection) {
    const MappedArcCase& c = GetParam();
    const TEllipseArc ellipse =
        EllipseFromMappedArc(c.center, c.radius, c.startDeg, c.endDeg, c.clockwise, c.map);
    const TTrueCurve truth = TrueImage(c);
    const bool closed = truth.hi == 360;
    for (double tolerance : kTolerances) {
        const std::string name = c.name + " at " + std::to_string(tolerance);
        const TFittedChain chain = FitEllipse(ellipse, tolerance);
        // Sampled in the arc's own direction: a chain walking the other way round, or the
        // complementary arc, fails here.
        ExpectFaithfulChain(chain, {name, truth, closed, {}}, tolerance);
        if (!c.keepsShape)
            continue;
        const double scale = std::sqrt(std::abs(c.map.xx * c.map.yy - c.map.xy * c.map.yx));
        ExpectArcsOfCircle(chain, Apply(c.map, c.center), scale * c.radius, truth.hi * kPi / 180,
                           name);
    }
}

INSTANTIATE_TEST_SUITE_P(Curves, MappedArcFit, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<MappedArcCase>& info) {
                             return info.param.name;
                         });

TEST(MappedArc, FlatteningMapGivesNothing) {
    const TEllipseArc e = EllipseFromMappedArc({0, 0}, 2, 0, 90, false, Map(1, 2, 2, 4, {}));
    EXPECT_TRUE(FitEllipse(e, 0.01).empty());
    const TEllipseArc none = EllipseFromMappedArc({0, 0}, 0, 0, 90, false, Map(1, 0, 0, 1, {}));
    EXPECT_TRUE(FitEllipse(none, 0.01).empty());
}

} // namespace
