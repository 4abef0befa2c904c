// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/entity_lists.h"
#include "model/entity_store.h"

namespace quillform::detail {

// The arc of the polyline edge from `from` to `to` with from's bulge:
// included angle 4 atan(bulge), centre on the side the bulge's sign gives,
// clockwise for a negative bulge. Null when the edge describes no arc (its
// ends coincide, or its centre is not a number). The caller owns the arc.
TDXFArc* BulgedEdge(const dxf_info& from, const dxf_info& to, double tolerance);

// Replaces every raw polyline with a bulge outside the tolerance by one
// segment or arc per edge (n vertices, n edges: the last back to the first
// whatever the closed flag says), appended after the lists' own.
void ExplodeBulgedPolylines(quillform::detail::TEntityLists& lists, double tolerance);

} // namespace quillform::detail
