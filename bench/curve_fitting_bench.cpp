// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Curve fitting speed: a free-form spline of a few dozen control points should fit at 0.01 mm in
// well under a millisecond, and the time per control point should not grow with their number.
// Run: build/bench/quillform_curve_bench
#include "expand/curves/ellipse_arc.h"
#include "expand/curves/spline_fit.h"

#include <benchmark/benchmark.h>

#include <cmath>

using namespace quillform::detail;

namespace {

// A closed wavy outline (radius 50 mm, five lobes) through `count` wrapped control points over
// unclamped uniform knots: the kind of outline CAD programs export as one spline.
TSplineCurve WavyOutline(int count) {
    TSplineCurve s;
    s.degree = 3;
    for (int i = 0; i < count + 3; ++i) {
        const double a = 2 * kPi * (i % count) / count;
        const double r = 50 + 8 * std::sin(5 * a);
        s.controlPoints.emplace_back(r * std::cos(a), r * std::sin(a));
    }
    for (int i = 0; i < count + 7; ++i)
        s.knots.push_back(i);
    s.closed = s.periodic = true;
    return s;
}

// A zigzag of sharp bends, 5 mm apart: the hardest case per control point.
TSplineCurve Zigzag(int count) {
    TSplineCurve s;
    s.degree = 3;
    for (int i = 0; i < count; ++i)
        s.controlPoints.emplace_back(i * 5.0, (i % 3) * 7.0 + (i % 2) * 3);
    s.knots.assign(4, 0);
    for (int i = 1; i <= count - 4; ++i)
        s.knots.push_back(i);
    s.knots.insert(s.knots.end(), 4, count - 3);
    return s;
}

void Report(benchmark::State& state, size_t edges) {
    state.counters["edges"] = static_cast<double>(edges);
    state.counters["per_point"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

void BM_WavyOutline(benchmark::State& state) {
    const TSplineCurve spline = WavyOutline(static_cast<int>(state.range(0)));
    size_t edges = 0;
    for (auto _ : state)
        edges = FitSpline(spline, 0.01).size();
    Report(state, edges);
}
BENCHMARK(BM_WavyOutline)->Arg(36)->Arg(360)->Arg(3600)->Unit(benchmark::kMicrosecond);

void BM_Zigzag(benchmark::State& state) {
    const TSplineCurve spline = Zigzag(static_cast<int>(state.range(0)));
    size_t edges = 0;
    for (auto _ : state)
        edges = FitSpline(spline, 0.01).size();
    Report(state, edges);
}
BENCHMARK(BM_Zigzag)->Arg(40)->Arg(400)->Arg(4000)->Unit(benchmark::kMicrosecond);

void BM_FitPoints(benchmark::State& state) {
    TSplineCurve spline;
    for (int i = 0; i < state.range(0); ++i)
        spline.fitPoints.emplace_back(i * 4.0, 10 * std::sin(i * 0.7));
    size_t edges = 0;
    for (auto _ : state)
        edges = FitSpline(spline, 0.01).size();
    Report(state, edges);
}
BENCHMARK(BM_FitPoints)->Arg(30)->Arg(3000)->Unit(benchmark::kMicrosecond);

void BM_Ellipse(benchmark::State& state) {
    TEllipseArc e;
    e.majorAxis = {100, 30};
    e.ratio = 0.4;
    size_t edges = 0;
    for (auto _ : state)
        edges = FitEllipse(e, 0.01).size();
    state.counters["edges"] = static_cast<double>(edges);
}
BENCHMARK(BM_Ellipse)->Unit(benchmark::kMicrosecond);

} // namespace
