// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/drawing.h"
#include "quillform/export.h"

#include <cstdint>
#include <optional>
#include <vector>

// The figures a part is quoted by, computed on demand from the values a read
// gives (a read that needs none pays nothing). Arcs are taken as arcs: areas
// add exact circular segments, lengths exact arc lengths, and the hull and
// the smallest rectangle are built from the arcs' own curves. Lengths are in
// the unit the values are written in (the drawing's, or the one
// ConvertUnits chose), areas in its square.
namespace quillform {

// A rectangle turned by `angle` degrees counter-clockwise from +x, in
// [0, 90): `width` is its side along that direction, `height` the side
// across it. An upright rectangle has angle 0, width along x.
struct Rectangle {
    double width = 0;
    double height = 0;
    double angle = 0;
};

// The figures of one closed outline.
struct OutlineMeasures {
    // False when a coordinate or radius is NaN or infinite, or a figure
    // overflows: then no figure below holds (they are all 0 and empty).
    bool finite = false;
    double area = 0;   // enclosed, whichever way the outline runs
    double length = 0; // its perimeter
    Bounds box;        // the axis-aligned box of its geometry, arcs included
    double width = 0;  // of the box
    double height = 0;
    Rectangle minRectangle; // the smallest-area rectangle around it in any rotation
    double hullArea = 0;    // of its convex hull
    // The smallest radius of its arc edges or of the circle; empty without arcs.
    std::optional<double> smallestRadius;
};

// The figures of a part: an outer outline and its direct holes (an island
// inside a hole is a part of its own).
struct PartMeasures {
    // As for OutlineMeasures, over the outer outline, every hole and the sums
    // of their figures.
    bool finite = false;
    double area = 0; // the material: the outer area less the holes'
    double outerArea = 0;
    double cutLength = 0; // the outer outline's length and every hole's
    double outerLength = 0;
    int64_t pierces = 0; // one for each closed contour: 1 + the holes
    Bounds box;          // of the outer outline
    double width = 0;
    double height = 0;
    Rectangle minRectangle; // of the outer outline
    double hullArea = 0;    // of the outer outline
    // The smallest hole: a circle's diameter, otherwise the smaller side of
    // its minRectangle; empty without holes.
    std::optional<double> smallestHole;
    // The smallest arc radius on the outer outline and the holes.
    std::optional<double> smallestRadius;
};

// Sums over parts. Parts without figures (not finite) are counted in
// `parts` and `unmeasured` and nothing else.
struct Totals {
    int64_t parts = 0;
    int64_t unmeasured = 0;
    int64_t pierces = 0;
    double cutLength = 0;
    double area = 0; // net: the material of every part
    Bounds box;      // of every measured part; all zero when there is none
};

QUILLFORM_EXPORT OutlineMeasures MeasureOutline(const Outline& outline);
QUILLFORM_EXPORT PartMeasures MeasurePart(const Shape& shape);
// The same, and each hole's own figures appended to *holeMeasures, in the
// order of shape.holes (all of them, whether the part has figures or not).
QUILLFORM_EXPORT PartMeasures MeasurePart(const Shape& shape,
                                          std::vector<OutlineMeasures>* holeMeasures);

// Adds one part, or the totals of another layer, to totals (a front end that
// lists every part measures each once and sums as it goes).
QUILLFORM_EXPORT void AddPart(Totals& totals, const PartMeasures& part);
QUILLFORM_EXPORT void AddTotals(Totals& totals, const Totals& more);

// Measures every part of the layer, or of every layer of the drawing.
QUILLFORM_EXPORT Totals TotalOf(const Layer& layer);
QUILLFORM_EXPORT Totals TotalOf(const Drawing& drawing);

} // namespace quillform
