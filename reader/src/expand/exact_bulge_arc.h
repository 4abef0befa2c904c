// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/entity_store.h"

namespace quillform::detail {

// The arc of the polyline edge from `from` to `to` with from's bulge,
// computed for accuracy rather than as the reader's own rules compute it
// (BulgedEdge): the chord's direction from atan2 (those rules clamp it to an
// axis within their tolerance, which for long arcs on a nearly axial chord
// moves the centre visibly), the sweep straight from the bulge. Null when
// the ends coincide or the bulge is zero or not a number.
TDXFArc* ExactBulgeArc(const dxf_info& from, const dxf_info& to);

} // namespace quillform::detail
