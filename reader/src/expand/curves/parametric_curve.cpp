// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/curves/parametric_curve.h"

#include "expand/curves/plane_math.h"

#include <algorithm>
#include <cmath>

namespace quillform::detail {

using namespace curve_math;

namespace {

// A derivative that would carry the curve less than this share of its size over the stretch
// it looks into has vanished: its direction is rounding noise. The direction is then that of a
// short chord: over a millionth of the stretch at first, lengthened until the chord is long
// enough (this share of the size) for rounding not to turn it.
constexpr double kVanishingDerivative = 1e-9;
constexpr double kChordStep = 1e-6;
constexpr double kChordLength = 1e-7;
constexpr double kChordGrowth = 8;
constexpr int kFootIterations = 3;

// The parameter on the chord from sample i to i + 1 nearest to q, and its distance.
struct TChordFoot {
    size_t index = 0;
    double param = 0;
    double distance = HUGE_VAL;
};

TChordFoot NearestChord(const TCurveSamples& samples, TPoint2D q) {
    TChordFoot best;
    for (size_t i = 0; i + 1 < samples.points.size(); ++i) {
        const TPoint2D a = samples.points[i];
        const TPoint2D ab = samples.points[i + 1] - a;
        const double length2 = Dot(ab, ab);
        const double f = length2 > 0 ? std::clamp(Dot(q - a, ab) / length2, 0.0, 1.0) : 0.0;
        const double distance = Distance(a + f * ab, q);
        if (distance < best.distance) {
            best.index = i;
            best.param = samples.params[i] + f * (samples.params[i + 1] - samples.params[i]);
            best.distance = distance;
        }
    }
    return best;
}

} // namespace

TPoint2D UnitTangent(const TParametricCurve& curve, double t, bool fromBelow, double towards) {
    const TCurveSample sample = curve.Evaluate(t, fromBelow);
    if (Length(sample.derivative) * std::abs(towards - t) > kVanishingDerivative * curve.Extent())
        return Unit(sample.derivative);
    double step = kChordStep * (towards - t);
    TPoint2D chord = curve.Evaluate(t + step, fromBelow).point - sample.point;
    while (Length(chord) < kChordLength * curve.Extent() &&
           std::abs(step) < std::abs(towards - t)) {
        step = std::abs(step * kChordGrowth) < std::abs(towards - t) ? step * kChordGrowth
                                                                     : towards - t;
        chord = curve.Evaluate(t + step, fromBelow).point - sample.point;
    }
    return Unit((step < 0 ? -1.0 : 1.0) * chord);
}

TCurveSamples SampleCurve(const TParametricCurve& curve, double a, double b, int count) {
    TCurveSamples samples;
    count = std::max(count, 2);
    samples.params.reserve(count);
    samples.points.reserve(count);
    for (int i = 0; i < count; ++i) {
        const double t = i + 1 == count ? b : a + (b - a) * i / (count - 1);
        samples.params.push_back(t);
        samples.points.push_back(curve.Evaluate(t, i + 1 == count).point);
    }
    return samples;
}

double DistanceToCurve(const TParametricCurve& curve, const TCurveSamples& samples, TPoint2D q) {
    if (samples.points.size() < 2)
        return samples.points.empty() ? HUGE_VAL : Distance(samples.points[0], q);
    const TChordFoot foot = NearestChord(samples, q);
    // Gauss-Newton on the foot point, kept within the neighbouring chords.
    const double lo = samples.params[foot.index > 0 ? foot.index - 1 : 0];
    const double hi = samples.params[std::min(foot.index + 2, samples.params.size() - 1)];
    double best = std::min(Distance(samples.points[foot.index], q),
                           Distance(samples.points[foot.index + 1], q));
    double t = foot.param;
    for (int i = 0; i < kFootIterations; ++i) {
        const TCurveSample s = curve.Evaluate(t, false);
        best = std::min(best, Distance(s.point, q));
        const double speed2 = Dot(s.derivative, s.derivative);
        if (!(speed2 > 0))
            break;
        t = std::clamp(t - Dot(s.derivative, s.point - q) / speed2, lo, hi);
    }
    return best;
}

} // namespace quillform::detail
