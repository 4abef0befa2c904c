// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "curves/curve_oracle.h"

#include "model/geometry_constants.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace quillform::detail;

namespace {

constexpr int kOracleSamples = 4000;
constexpr int kEdgeProbes = 8;
// Joints tangent to this angle count as smooth; corners must turn by more than this.
constexpr double kSmoothAngle = 1e-6;
constexpr double kCornerAngle = 0.05;

double Dist(TPoint2D a, TPoint2D b) {
    return std::hypot(a.X - b.X, a.Y - b.Y);
}

double Basis(const std::vector<double>& u, size_t i, int p, double t) {
    if (p == 0)
        return u[i] <= t && t < u[i + 1] ? 1.0 : 0.0;
    double value = 0;
    if (u[i + p] > u[i])
        value += (t - u[i]) / (u[i + p] - u[i]) * Basis(u, i, p - 1, t);
    if (u[i + p + 1] > u[i + 1])
        value += (u[i + p + 1] - t) / (u[i + p + 1] - u[i + 1]) * Basis(u, i + 1, p - 1, t);
    return value;
}

double DistanceToChord(TPoint2D a, TPoint2D b, TPoint2D p) {
    const double dx = b.X - a.X, dy = b.Y - a.Y, length2 = dx * dx + dy * dy;
    double f = length2 > 0 ? ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / length2 : 0;
    f = std::clamp(f, 0.0, 1.0);
    return Dist(TPoint2D(a.X + f * dx, a.Y + f * dy), p);
}

double JointAngle(const TFittedEdge& in, const TFittedEdge& out) {
    const TPoint2D a = EdgeTangent(in, true), b = EdgeTangent(out, false);
    return std::abs(std::atan2(a.X * b.Y - a.Y * b.X, a.X * b.X + a.Y * b.Y));
}

bool IsCorner(TPoint2D joint, const std::vector<TPoint2D>& corners, double size) {
    return std::any_of(corners.begin(), corners.end(),
                       [&](TPoint2D c) { return Dist(c, joint) <= 1e-9 * size; });
}

double Size(const std::vector<TPoint2D>& samples) {
    double minX = HUGE_VAL, minY = HUGE_VAL, maxX = -HUGE_VAL, maxY = -HUGE_VAL;
    for (const TPoint2D& p : samples) {
        minX = std::min(minX, p.X), maxX = std::max(maxX, p.X);
        minY = std::min(minY, p.Y), maxY = std::max(maxY, p.Y);
    }
    return std::hypot(maxX - minX, maxY - minY);
}

void ExpectJoints(const TFittedChain& chain, const TChainExpectation& expected, double size) {
    std::vector<TPoint2D> cornersSeen;
    const size_t joints = expected.closed ? chain.size() : chain.size() - 1;
    for (size_t i = 0; i < joints; ++i) {
        const TFittedEdge& in = chain[i];
        const TFittedEdge& out = chain[(i + 1) % chain.size()];
        ASSERT_TRUE(in.end.X == out.start.X && in.end.Y == out.start.Y)
            << expected.name << ": joint " << i << " not shared";
        const double angle = JointAngle(in, out);
        if (IsCorner(in.end, expected.corners, size)) {
            EXPECT_GT(angle, kCornerAngle) << expected.name << ": corner rounded at joint " << i;
            cornersSeen.push_back(in.end);
        } else {
            EXPECT_LT(angle, kSmoothAngle) << expected.name << ": kink at joint " << i << " ("
                                           << in.end.X << ", " << in.end.Y << ")";
        }
    }
    for (TPoint2D corner : expected.corners)
        EXPECT_TRUE(IsCorner(corner, cornersSeen, size))
            << expected.name << ": no joint at corner (" << corner.X << ", " << corner.Y << ")";
}

} // namespace

TTrueCurve TrueSpline(const TSplineCurve& spline) {
    const int p = spline.degree;
    const size_t n = spline.controlPoints.size();
    TTrueCurve curve;
    curve.lo = spline.knots[p];
    curve.hi = spline.knots[n];
    curve.knots = spline.knots;
    curve.point = [spline, p, n, hi = curve.hi, lo = curve.lo](double t) {
        // The half-open basis vanishes at the very end: evaluate a hair before it.
        t = std::min(t, hi - 1e-13 * (hi - lo));
        double x = 0, y = 0, w = 0;
        for (size_t i = 0; i < n; ++i) {
            const double weight = spline.weights.empty() ? 1.0 : spline.weights[i];
            const double b = Basis(spline.knots, i, p, t) * weight;
            x += b * spline.controlPoints[i].X;
            y += b * spline.controlPoints[i].Y;
            w += b;
        }
        return TPoint2D(x / w, y / w);
    };
    return curve;
}

std::vector<TPoint2D> SampleTrue(const TTrueCurve& curve, int count) {
    std::vector<double> params = curve.knots;
    for (int i = 0; i < count; ++i)
        params.push_back(curve.lo + (curve.hi - curve.lo) * i / (count - 1));
    std::sort(params.begin(), params.end());
    std::vector<TPoint2D> samples;
    for (double t : params)
        if (t >= curve.lo && t <= curve.hi)
            samples.push_back(curve.point(t));
    return samples;
}

double OracleDeviation(const TFittedChain& chain, const std::vector<TPoint2D>& samples) {
    double worst = 0;
    for (const TPoint2D& p : samples) {
        double nearest = HUGE_VAL;
        for (const TFittedEdge& edge : chain)
            nearest = std::min(nearest, DistanceToEdge(edge, p));
        worst = std::max(worst, nearest);
    }
    for (const TFittedEdge& edge : chain)
        for (int k = 0; k <= kEdgeProbes; ++k) {
            const TPoint2D q = PointOnEdge(edge, double(k) / kEdgeProbes);
            double nearest = HUGE_VAL;
            for (size_t i = 0; i + 1 < samples.size(); ++i)
                nearest = std::min(nearest, DistanceToChord(samples[i], samples[i + 1], q));
            worst = std::max(worst, nearest);
        }
    return worst;
}

double FlatteningCount(const std::vector<TPoint2D>& samples, double tolerance) {
    double count = 0;
    for (size_t i = 1; i + 1 < samples.size(); ++i) {
        const TPoint2D a = samples[i - 1], b = samples[i], c = samples[i + 1];
        const double turn =
            std::abs(std::atan2((b.X - a.X) * (c.Y - b.Y) - (b.Y - a.Y) * (c.X - b.X),
                                (b.X - a.X) * (c.X - b.X) + (b.Y - a.Y) * (c.Y - b.Y)));
        count += std::sqrt(turn * Dist(b, c) / (8 * tolerance));
    }
    return count;
}

void ExpectFaithfulChain(const TFittedChain& chain, const TChainExpectation& expected,
                         double tolerance, double* deviation) {
    ASSERT_FALSE(chain.empty()) << expected.name;
    const std::vector<TPoint2D> samples = SampleTrue(expected.curve, kOracleSamples);
    const double size = Size(samples);
    // The samples' chords stray from the curve by far less than this hundredth.
    const double measured = OracleDeviation(chain, samples);
    EXPECT_LE(measured, 1.01 * tolerance) << expected.name;
    if (deviation)
        *deviation = measured;
    for (const TFittedEdge& edge : chain) {
        EXPECT_LE(edge.isArc ? EdgeSweep(edge) : 0.0, kPi + 1e-9)
            << expected.name << ": arc over half a turn";
    }
    if (expected.closed) {
        EXPECT_TRUE(chain.back().end.X == chain.front().start.X &&
                    chain.back().end.Y == chain.front().start.Y)
            << expected.name << ": not closed";
    } else {
        EXPECT_LE(Dist(chain.front().start, samples.front()), 1e-9 * size) << expected.name;
        EXPECT_LE(Dist(chain.back().end, samples.back()), 1e-9 * size) << expected.name;
    }
    ExpectJoints(chain, expected, size);
}

void ExpectArcsOfCircle(const TFittedChain& chain, TPoint2D center, double radius, double sweep,
                        const std::string& name) {
    EXPECT_EQ(chain.size(), static_cast<size_t>(std::ceil(sweep / kPi - 1e-9))) << name;
    for (const TFittedEdge& edge : chain) {
        ASSERT_TRUE(edge.isArc) << name;
        EXPECT_LE(Dist(edge.center, center), 1e-9 * radius) << name;
        EXPECT_NEAR(edge.radius, radius, 1e-9 * radius) << name;
    }
}
