// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/basic_records.h"

#include <optional>
#include <vector>

namespace quillform::detail {

// A SPLINE in the drawing plane: a B-spline (rational when weights are given) over its control
// points and knots, or, when it has no control points, the cubic through its fit points.
struct TSplineCurve {
    int degree = 3;
    std::vector<double> knots;
    std::vector<TPoint2D> controlPoints;
    std::vector<double> weights; // empty: not rational
    std::vector<TPoint2D> fitPoints;
    std::optional<TPoint2D> startTangent, endTangent; // directions, for fit points only
    bool closed = false, periodic = false;            // the entity's flags 1 and 2
};

} // namespace quillform::detail
