// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "curves/curve_oracle.h"
#include "expand/curves/ellipse_arc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>
#include <string>

using namespace quillform::detail;

namespace {

const double kTolerances[] = {0.1, 0.01, 0.001};

struct TCircle {
    TPoint2D center;
    double radius;
};

struct EllipseCase {
    std::string name;
    TEllipseArc ellipse;
    std::optional<TCircle> circle; // when the ellipse is a circle
};

// The ellipse straight from its defining formula, walked in its direction of travel.
TTrueCurve TrueEllipse(const TEllipseArc& e) {
    double sweep =
        std::fmod(e.clockwise ? e.startParam - e.endParam : e.endParam - e.startParam, 2 * kPi);
    if (sweep <= 1e-12)
        sweep += 2 * kPi;
    TTrueCurve curve;
    curve.hi = sweep;
    curve.point = [e](double s) {
        const double t = e.clockwise ? e.startParam - s : e.startParam + s;
        const double mx = e.majorAxis.X, my = e.majorAxis.Y;
        return TPoint2D(e.center.X + mx * std::cos(t) - e.ratio * my * std::sin(t),
                        e.center.Y + my * std::cos(t) + e.ratio * mx * std::sin(t));
    };
    return curve;
}

TEllipseArc Ellipse(TPoint2D c, TPoint2D major, double ratio, double start, double end) {
    TEllipseArc e;
    e.center = c;
    e.majorAxis = major;
    e.ratio = ratio;
    e.startParam = start;
    e.endParam = end;
    return e;
}

void PrintTo(const EllipseCase& c, std::ostream* os) {
    *os << c.name;
}

const EllipseCase kEllipses[] = {
    {"full_ellipse", Ellipse({10, 5}, {20, 0}, 0.5, 0, 2 * kPi), {}},
    {"arc_crossing_zero", Ellipse({-3, 2}, {12, 0}, 0.4, 5.5, 0.8), {}},
    {"rotated_ellipse", Ellipse({1, -4}, {12, 9}, 0.3, 0, 2 * kPi), {}},
    {"rotated_arc", Ellipse({0, 0}, {-6, 8}, 0.7, 1.0, 4.0), {}},
    {"thin_ellipse", Ellipse({0, 0}, {30, 0}, 0.02, 0, 2 * kPi), {}},
    {"equal_params_full", Ellipse({2, 2}, {5, 5}, 0.6, 1.5, 1.5), {}},
    {"ratio_one_full", Ellipse({10, 5}, {7, 0}, 1, 0, 2 * kPi), TCircle{{10, 5}, 7}},
    {"ratio_one_arc", Ellipse({2, 3}, {0, 4}, 1, 0.5, 4.0), TCircle{{2, 3}, 4}},
};

class EllipseFit : public testing::TestWithParam<EllipseCase> {};

TEST_P(EllipseFit, FaithfulAtEveryTolerance) {
    const EllipseCase& c = GetParam();
    const TTrueCurve truth = TrueEllipse(c.ellipse);
    const bool closed = truth.hi == 2 * kPi;
    for (double tolerance : kTolerances) {
        const std::string name = c.name + " at " + std::to_string(tolerance);
        const TFittedChain chain = FitEllipse(c.ellipse, tolerance);
        double oracle = 0;
        ExpectFaithfulChain(chain, {name, truth, closed, {}}, tolerance, &oracle);
        // The library's own measure agrees with the oracle's (once: it is slow on long chains).
        if (tolerance == kTolerances[0]) {
            EXPECT_NEAR(EllipseDeviation(chain, c.ellipse), oracle, 0.03 * tolerance) << name;
        }
        if (c.circle)
            ExpectArcsOfCircle(chain, c.circle->center, c.circle->radius, truth.hi, name);
    }
}

TEST_P(EllipseFit, FarFewerEdgesThanAFlattening) {
    const EllipseCase& c = GetParam();
    const double tolerance = 0.0001;
    const TFittedChain chain = FitEllipse(c.ellipse, tolerance);
    const double chords = FlatteningCount(SampleTrue(TrueEllipse(c.ellipse), 6000), tolerance);
    EXPECT_LE(static_cast<double>(chain.size()), chords / 2 + 4) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Curves, EllipseFit, testing::ValuesIn(kEllipses),
                         [](const testing::TestParamInfo<EllipseCase>& info) {
                             return info.param.name;
                         });

TEST(EllipseDeviation, GrowsWhenTheChainMoves) {
    const TEllipseArc e = Ellipse({10, 5}, {20, 0}, 0.5, 0, 2 * kPi);
    TFittedChain chain = FitEllipse(e, 0.01);
    ASSERT_LE(EllipseDeviation(chain, e), 0.01);
    // A missing edge is seen from the curve, a bulging one from the chain.
    TFittedChain shorter(chain.begin() + 1, chain.end());
    EXPECT_GT(EllipseDeviation(shorter, e), 0.02);
    chain[2].radius *= 1.01;
    chain[2].center.X += 0.3;
    EXPECT_GT(EllipseDeviation(chain, e), 0.05);
    EXPECT_EQ(EllipseDeviation({}, e), HUGE_VAL);
}

} // namespace
