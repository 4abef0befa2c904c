// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "expand/curves/fitted_chain.h"
#include "expand/curves/parametric_curve.h"

#include <cstddef>
#include <vector>

namespace quillform::detail {

// The most edges one curve is fitted with.
constexpr size_t kMaxFittedEdges = 100000;

struct TCurveFitRequest {
    // The parameters where the curve may turn a corner, first and last included, ascending.
    // Between two of them the curve must be smooth (tangent continuous).
    std::vector<double> breaks;
    // The curve ends where it started: the chain's last end is made its first start.
    bool closed = false;
    // The greatest distance allowed between the curve and the chain.
    double tolerance = 0;
    // Set when the fit was abandoned because the chain would need more edges than allowed.
    bool* overEdgeLimit = nullptr;
};

// Approximates the curve with arcs and straight edges (biarcs between sampled points, halved
// until within the tolerance), then joins arcs of one circle and straight edges on one line.
// Gives an empty chain when the work it would take is out of all proportion (a curve that
// cannot be fitted within the tolerance with a sane number of edges, kMaxFittedEdges).
TFittedChain FitCurve(const TParametricCurve& curve, const TCurveFitRequest& request);

} // namespace quillform::detail
