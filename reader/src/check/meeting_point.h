// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "check/check_edges.h"

// Outlines that meet at a point of both, where no edge passes through the
// inside of another: at a vertex of one lying on the other. They cross there
// when the two ways one outline leaves the point lie on either side of the
// other outline.
namespace quillform::detail {

// The unit direction along the edge at a point of it, towards `to` or back.
Point Heading(const TCheckEdge& edge, Point p, bool forward);

// Whether `p` lies on the edge, ends included, within `tolerance`.
bool OnEdge(const TCheckEdge& edge, Point p, double tolerance);

// The two directions in which an outline leaves a point on it.
struct TWays {
    Point one, other;
};

// Whether the ways of one outline separate those of the other. Ways that
// coincide (edges along each other, or touching) are no crossing.
bool WaysCross(const TWays& first, const TWays& second);

} // namespace quillform::detail
