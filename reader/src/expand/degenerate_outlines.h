// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/diagnostics.h"
#include "quillform/lista.h"

namespace quillform::detail {

// Removes the contours that enclose no area: no arc edge, and every vertex
// within the tolerance of one line (one vertex, two vertices joined by
// straight edges, a flat zigzag); or arcs of one circle only, running out
// and back along it. They are neither shapes nor holes.
// Counted per layer in the report ("degenerateOutlines").
void RemoveDegenerateOutlines(TLista* contours, double tolerance, quillform::Diagnostics& report);

} // namespace quillform::detail
