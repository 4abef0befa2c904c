// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/drawing.h"

#include <vector>

namespace quillform::detail {

// The ring of a closed outline running the way asked, arcs and circles
// replaced by straight edges no farther than `tolerance` from the curve
// (vertices kept exactly), the first point repeated at the end. The edges
// stay off the material, which lies on the left: an arc turning left is
// replaced by edges tangent to it, one turning right by chords. So the
// material only grows, and a hole that touches its outline, or another
// hole, does not cross it. *coarse is set when an arc would need so many
// points that fewer were taken.
std::vector<Point> RingPoints(const Outline& outline, bool counterClockwise, double tolerance,
                              bool* coarse);

} // namespace quillform::detail
