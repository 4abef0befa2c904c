// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/drawing.h"

#include <string>
#include <vector>

// Parts compared as a cut file must keep them: a contour may start at any
// vertex and run either way, and an arc that turns all the way round equals
// its two halves. Edges are compared by their ends and their middle point,
// so an arc flatter than the tolerance equals a straight edge.
namespace part_compare {

struct Edge {
    quillform::Point from, to, middle;
};

std::vector<Edge> Edges(const quillform::Outline& outline);

// Empty when the two contours are the same within the tolerance, else what differs.
std::string CompareContours(const quillform::Outline& expected, const quillform::Outline& actual,
                            double tolerance);

// Empty when every expected part has its own equal part among `actual` (its
// outline, and its holes in any order) and there are no others, else the
// first difference found.
std::string CompareParts(const std::vector<quillform::Shape>& expected,
                         const std::vector<quillform::Shape>& actual, double tolerance);

// The larger side of the box of an outline's edges (ends and middles).
double Extent(const quillform::Outline& outline);

// The largest extent or coordinate of the shapes: what tolerances scale with.
double Size(const std::vector<quillform::Shape>& shapes);

} // namespace part_compare
