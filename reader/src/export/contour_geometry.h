// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "measure/arc_edge.h"

#include "quillform/drawing.h"

#include <vector>

// Outlines as cutting files need them: turned to a winding, moved, bounded
// exactly (arcs included), and their edges as bulges.
namespace quillform::detail {

// Twice the signed area (positive when the outline runs counter-clockwise);
// a circle counts as counter-clockwise.
double TwiceSignedArea(const Outline& outline);

// The same outline running the other way round: the vertices in reverse
// order from the first, each arc moved to the vertex it now leaves from and
// turned round.
Outline Reversed(const Outline& outline);

// The outline running counter-clockwise (or clockwise), moved by (dx, dy).
Outline Placed(const Outline& outline, bool counterClockwise, Point shift);

// The vertices of a chain moved by (dx, dy).
std::vector<Vertex> Moved(std::vector<Vertex> vertices, Point shift);

// Whole turns (an arc edge back to its own start) split in two halves at the
// opposite point, so that every edge has a finite bulge.
std::vector<Vertex> WithoutWholeTurns(const std::vector<Vertex>& vertices);

// The bulge of the edge from `from` to `to`: 0 for a straight edge, else
// tan(sweep / 4), negative for a clockwise arc.
double Bulge(const Vertex& from, const Vertex& to);

// The smallest box holding the outline's edges (arcs bulge out of the box of
// their ends) or the chain's.
Bounds ExactBounds(const Outline& outline);
Bounds ExactBounds(const std::vector<Vertex>& chain, bool closed);

// Whether the outline encloses some area: more than a 1e-12 part of its box's
// larger side squared (reckoned relative to the box, so that huge
// coordinates do not overflow).
bool EnclosesArea(const Outline& outline);

// Whether the inner box lies within the outer one.
bool Within(const Bounds& inner, const Bounds& outer);

// Whether every coordinate, centre and radius is a finite number.
bool Finite(const Outline& outline);
bool Finite(const std::vector<Vertex>& vertices);

// The box holding both.
Bounds Union(const Bounds& a, const Bounds& b);

} // namespace quillform::detail
