// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/outline.h"

#include <vector>

namespace quillform::detail {

// Whether the rings (the first the exterior, counter-clockwise; the others
// holes, clockwise; each closed on its first point) make a valid polygon as
// GIS programs take it: no ring crossing or touching itself or another,
// holes inside the exterior. A keyhole outline that touches itself is a
// fine cutting contour and no valid polygon. Coordinates too large to
// check count as valid.
bool ValidPolygon(const std::vector<std::vector<Point>>& rings);

} // namespace quillform::detail
