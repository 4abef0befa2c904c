// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "expand/curves/fitted_chain.h"
#include "expand/curves/parametric_curve.h"

namespace quillform::detail {

// The greatest distance between a chain and the curve over [a, b], both ways: from dense
// samples of the curve to the nearest edge, and from points along every edge to the curve.
// Infinite for an empty chain.
double ChainDeviation(const TFittedChain& chain, const TParametricCurve& curve, double a, double b);

} // namespace quillform::detail
