// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "expand/curves/fitted_chain.h"

namespace quillform::detail {

// A point of a curve with its unit tangent, where a fitted stretch starts or ends.
struct TCurveNode {
    double param = 0;
    TPoint2D point;
    TPoint2D tangent;
};

// One or two edges from one node to the next, tangent to both nodes' tangents and to each other.
struct TBiarc {
    TFittedEdge edges[2];
    int count = 0;
};

// The biarc from `from` to `to` whose joint lies nearest `middle` (a point of the curve between
// them), or a single straight edge when the nodes and their tangents lie on one line. Fails
// (returns false) when no biarc with arcs of at most a quarter turn fits the tangents.
bool MakeBiarc(const TCurveNode& from, const TCurveNode& to, TPoint2D middle, TBiarc& biarc);

} // namespace quillform::detail
