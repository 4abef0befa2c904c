// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// What the curve tests hold a fitted chain against, computed independently of the fitting code:
// curves evaluated from their textbook definitions and sampled densely.
#include "expand/curves/fitted_chain.h"
#include "expand/curves/spline_fit.h"

#include <functional>
#include <string>
#include <vector>

// A curve as its definition gives it: point(t) over [lo, hi].
struct TTrueCurve {
    std::function<TPoint2D(double)> point;
    double lo = 0, hi = 1;
    // Parameters sampled besides the even spread: where a polyline's corners are.
    std::vector<double> knots;
};

// The B-spline by the recursive Cox-de Boor definition (rational by weighted sums); the
// spline's own control points and knots, taken as written.
TTrueCurve TrueSpline(const quillform::detail::TSplineCurve& spline);

// Dense samples of the curve.
std::vector<TPoint2D> SampleTrue(const TTrueCurve& curve, int count);

// The greatest distance between the chain and the sampled curve, both ways: each sample to the
// nearest edge, and points along each edge to the nearest chord of the samples.
double OracleDeviation(const quillform::detail::TFittedChain& chain,
                       const std::vector<TPoint2D>& samples);

// About how many straight chords a flattening within `tolerance` takes (the integral of
// sqrt(curvature / (8 tolerance)) along the curve).
double FlatteningCount(const std::vector<TPoint2D>& samples, double tolerance);

// Everything a fitted chain must satisfy, checked with gtest assertions. `corners` are the
// points where the curve turns a corner; everywhere else joints must be tangent.
struct TChainExpectation {
    std::string name;
    TTrueCurve curve;
    bool closed = false;
    std::vector<TPoint2D> corners;
};
// Sets *deviation (when given) to the deviation the oracle measured.
void ExpectFaithfulChain(const quillform::detail::TFittedChain& chain,
                         const TChainExpectation& expected, double tolerance,
                         double* deviation = nullptr);

// Every edge an arc of the given circle, and as few as arcs of at most half a turn allow.
void ExpectArcsOfCircle(const quillform::detail::TFittedChain& chain, TPoint2D center,
                        double radius, double sweep, const std::string& name);
