// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/curves/biarc_fitting.h"

#include "expand/curves/biarc.h"
#include "expand/curves/chain_tidy.h"
#include "expand/curves/plane_math.h"

#include <algorithm>
#include <cmath>

namespace quillform::detail {

using namespace curve_math;

namespace {

// Steps are halved down to 2^-40 of a stretch, far below anything a drawing holds; a curve
// that no biarc fits even then gets its best effort there.
constexpr int kMaxHalvings = 40;
// Step changes from one biarc to the next stay within these factors; steps aim a little short
// of the tolerance so that most of them fit at the first try.
constexpr double kStepGrowth = 2.0;
constexpr double kStepShrink = 0.25;
constexpr double kStepSafety = 0.9;
// Measuring a biarc stops once it is this many tolerances off.
constexpr double kFarPast = 64;
// Beyond this many edges (or four times as many attempts) the fit is abandoned.
constexpr size_t kMaxEdges = kMaxFittedEdges;
// Fits are made to this share of the tolerance, so that joining arcs of one circle afterwards
// and the gaps between samples cannot push an edge past it.
constexpr double kToleranceMargin = 0.9;
// Samples of the curve per biarc check, and more for every polynomial piece it spans.
constexpr int kBaseSamples = 7;
constexpr int kSamplesPerPiece = 3;
constexpr int kMaxSamples = 1 << 16;
const double kEdgeProbes[] = {1.0 / 3, 2.0 / 3};
// A stretch whose ends and middle lie this share of the tolerance apart does not move: it gives
// no edge (a span between repeated control points, say).
constexpr double kStationary = 1e-6;
// Chords of a curve that biarcs could not follow are halved at most this often.
constexpr int kMaxChordHalvings = 24;

class TStretchFitter {
public:
    TStretchFitter(const TParametricCurve& curve, double tolerance, TFittedChain& chain)
        : curve_(curve), tolerance_(tolerance), chain_(chain) {}

    void Fit(const TCurveNode& from, const TCurveNode& to);
    bool Exhausted() const { return attempts_ > 4 * kMaxEdges || TooManyEdges(); }
    bool TooManyEdges() const { return chain_.size() > kMaxEdges; }

private:
    TCurveNode NodeAt(double t, double towards) const;
    bool Stationary(const TCurveNode& from, const TCurveNode& to, TPoint2D middle) const;
    double Deviation(const TCurveNode& from, const TCurveNode& to, const TBiarc& biarc) const;
    void Emit(const TBiarc& biarc);
    void EmitBestEffort(const TCurveNode& from, const TCurveNode& to, TPoint2D middle);

    const TParametricCurve& curve_;
    double tolerance_;
    TFittedChain& chain_;
    size_t attempts_ = 0;
};

TCurveNode TStretchFitter::NodeAt(double t, double towards) const {
    return {t, curve_.Evaluate(t, false).point, UnitTangent(curve_, t, false, towards)};
}

// The greatest distance between the biarc and the curve over the stretch, both ways; stops
// counting once it is far past the tolerance.
double TStretchFitter::Deviation(const TCurveNode& from, const TCurveNode& to,
                                 const TBiarc& biarc) const {
    const int pieces = curve_.PiecesBetween(from.param, to.param);
    const int count = std::min(kBaseSamples + kSamplesPerPiece * pieces, kMaxSamples);
    const TCurveSamples samples = SampleCurve(curve_, from.param, to.param, count);
    const double enough = kFarPast * tolerance_;
    double worst = 0;
    for (size_t i = 1; i + 1 < samples.points.size() && worst <= enough; ++i) {
        double distance = HUGE_VAL;
        for (int e = 0; e < biarc.count; ++e)
            distance = std::min(distance, DistanceToEdge(biarc.edges[e], samples.points[i]));
        worst = std::max(worst, distance);
    }
    for (int e = 0; e < biarc.count && worst <= enough; ++e)
        for (double f : kEdgeProbes)
            worst =
                std::max(worst, DistanceToCurve(curve_, samples, PointOnEdge(biarc.edges[e], f)));
    return std::isnan(worst) ? HUGE_VAL : worst;
}

void TStretchFitter::Emit(const TBiarc& biarc) {
    for (int e = 0; e < biarc.count; ++e)
        chain_.push_back(biarc.edges[e]);
}

// At the finest step: the biarc if there is one, else the chord; nothing for a stretch that
// does not move.
void TStretchFitter::EmitBestEffort(const TCurveNode& from, const TCurveNode& to, TPoint2D middle) {
    TBiarc biarc;
    if (MakeBiarc(from, to, middle, biarc))
        Emit(biarc);
    else if (Distance(from.point, to.point) > 0)
        chain_.push_back(StraightEdge(from.point, to.point));
}

bool TStretchFitter::Stationary(const TCurveNode& from, const TCurveNode& to,
                                TPoint2D middle) const {
    const double still = kStationary * tolerance_;
    return Distance(from.point, to.point) <= still && Distance(from.point, middle) <= still;
}

// Each biarc as long as the tolerance allows. A biarc's error grows with the cube of its
// length, so the next step is scaled by the cube root of the error ratio, a little short of it;
// a step that misses is retried that much shorter. Joints are the nodes themselves, so
// neighbours share them exactly.
void TStretchFitter::Fit(const TCurveNode& from, const TCurveNode& to) {
    TCurveNode here = from;
    double step = to.param - from.param;
    const double finest = std::ldexp(step, -kMaxHalvings);
    while (here.param < to.param && !Exhausted()) {
        ++attempts_;
        const double target = here.param + step;
        const bool last = !(target < to.param) || !(target > here.param);
        const TCurveNode next = last ? to : NodeAt(target, to.param);
        const TPoint2D middle =
            curve_.Evaluate(here.param + (next.param - here.param) / 2, false).point;
        if (Stationary(here, next, middle)) {
            here = next;
            continue;
        }
        TBiarc biarc;
        const double deviation =
            MakeBiarc(here, next, middle, biarc) ? Deviation(here, next, biarc) : HUGE_VAL;
        const double scale =
            std::clamp(kStepSafety * std::cbrt(tolerance_ / deviation), kStepShrink, kStepGrowth);
        if (deviation > tolerance_ && step > finest) {
            step = std::min(step, to.param - here.param) * scale;
            continue;
        }
        if (deviation <= tolerance_)
            Emit(biarc);
        else
            EmitBestEffort(here, next, middle);
        here = next;
        // Steps below the finest would shrink until one jumps to the stretch's end.
        step = std::max(step * scale, finest);
    }
}

// The chord between the nodes, halved until the curve keeps within the tolerance of each
// piece, as far as the halvings and the edge budget allow.
void AddChords(const TParametricCurve& curve, const TCurveNode& from, const TCurveNode& to,
               double tolerance, int halvings, TFittedChain& chain) {
    const TFittedEdge chord = StraightEdge(from.point, to.point);
    const double middle = from.param + (to.param - from.param) / 2;
    const TCurveNode half{middle, curve.Evaluate(middle, false).point, {}};
    bool within = DistanceToEdge(chord, half.point) <= tolerance;
    for (double f : kEdgeProbes) {
        const double t = from.param + f * (to.param - from.param);
        within = within && DistanceToEdge(chord, curve.Evaluate(t, false).point) <= tolerance;
    }
    if (!within && halvings < kMaxChordHalvings && chain.size() < kMaxEdges) {
        AddChords(curve, from, half, tolerance, halvings + 1, chain);
        AddChords(curve, half, to, tolerance, halvings + 1, chain);
    } else if (Distance(from.point, to.point) > 0) {
        chain.push_back(chord);
    }
}

// A curve that biarcs could not follow within the budget is still drawn, as chords.
TFittedChain Chords(const TParametricCurve& curve, const TCurveFitRequest& request) {
    TFittedChain chain;
    const std::vector<double>& breaks = request.breaks;
    for (size_t i = 0; i + 1 < breaks.size(); ++i) {
        const TCurveNode from{breaks[i], curve.Evaluate(breaks[i], false).point, {}};
        const TCurveNode to{breaks[i + 1], curve.Evaluate(breaks[i + 1], true).point, {}};
        AddChords(curve, from, to, request.tolerance, 0, chain);
    }
    return chain;
}

} // namespace

TFittedChain FitCurve(const TParametricCurve& curve, const TCurveFitRequest& request) {
    TFittedChain chain;
    const std::vector<double>& breaks = request.breaks;
    if (breaks.size() < 2)
        return chain;
    TStretchFitter fitter(curve, kToleranceMargin * request.tolerance, chain);
    TPoint2D start = curve.Evaluate(breaks.front(), false).point;
    const TPoint2D first = start;
    for (size_t i = 0; i + 1 < breaks.size(); ++i) {
        const double a = breaks[i], b = breaks[i + 1];
        const bool last = i + 2 == breaks.size();
        TPoint2D end = last && request.closed ? first : curve.Evaluate(b, true).point;
        const TCurveNode from{a, start, UnitTangent(curve, a, false, b)};
        const TCurveNode to{b, end, UnitTangent(curve, b, true, a)};
        fitter.Fit(from, to);
        if (fitter.Exhausted()) {
            // More edges than the limit allows: said so, never half drawn.
            if (fitter.TooManyEdges()) {
                if (request.overEdgeLimit)
                    *request.overEdgeLimit = true;
                return {};
            }
            chain = Chords(curve, request);
            break;
        }
        start = end;
    }
    TidyChain(chain, request.tolerance);
    if (request.closed && !chain.empty())
        chain.back().end = chain.front().start;
    return chain;
}

} // namespace quillform::detail
