// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/drawing.h"

#include <vector>

namespace quillform::detail {

// The ring of a closed outline running the way asked, arcs and circles
// replaced by chords no farther than `tolerance` from the curve (vertices
// kept exactly), the first point repeated at the end. *coarse is set when
// an arc would need so many points that fewer were taken.
std::vector<Point> RingPoints(const Outline& outline, bool counterClockwise, double tolerance,
                              bool* coarse);

} // namespace quillform::detail
