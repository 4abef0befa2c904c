// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/entity_store.h"

// The arc of the polyline edge from `from` to `to` with from's bulge:
// included angle 4 atan(bulge), centre on the side the bulge's sign gives,
// clockwise for a negative bulge. Null when the edge describes no arc (its
// ends coincide, or its centre is not a number). The caller owns the arc.
TDXFArc* BulgedEdge(const dxf_info& from, const dxf_info& to, double tolerance);

// The same arc computed for accuracy rather than as the reader's own rules
// compute it: the chord's direction from atan2 (those rules clamp it to an
// axis within their tolerance, which for long arcs on a nearly axial chord
// moves the centre visibly), the sweep straight from the bulge. Null when
// the ends coincide or the bulge is zero or not a number.
TDXFArc* ExactBulgeArc(const dxf_info& from, const dxf_info& to);
