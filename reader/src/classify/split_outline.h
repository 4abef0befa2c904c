// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/entity_store.h"

#include <vector>

namespace quillform::detail {

// Fixed tolerance of every containment test, in drawing units or degrees.
constexpr double kClassificationTolerance = 1e-6;

// A contour rewritten so that every arc edge is monotone in y: arcs are cut
// at the top and bottom points they pass. Edges[k] runs from Points[k] to
// Points[(k + 1) % Count].
struct TSplitOutline {
    std::vector<TPoint2D> Points;
    std::vector<TArc> Edges;
    int32_t Count = 0;
    // Box of the points and the arcs between them, widened by twice the
    // tolerance: no point outside it is inside the outline.
    TBoundingBox Bounds;
    // For each arc edge, the right end of the ray segment its crossing is
    // sought on (the sub-arc's box's max x + 1); the edges' angles are
    // computed once, with the outline.
    std::vector<double> RayEnds;

    explicit TSplitOutline(const TDXFPolygon& contour);
};

// The Bounds a split outline of the contour gets, and the number of its
// points (when count is not null), without building it.
TBoundingBox SplitOutlineBounds(const TDXFPolygon& contour, int32_t* count);
// Closed box test; NaN coordinates are outside every box.
bool WithinBounds(const TBoundingBox& box, double x, double y);
} // namespace quillform::detail

// Even-odd test with a ray towards +x, for points within the outline's bounds.
bool PointInOutline(const quillform::detail::TSplitOutline& outline, double x, double y);
bool AllVerticesInOutline(const quillform::detail::TSplitOutline& outline,
                          const TDXFPolygon& contour);
