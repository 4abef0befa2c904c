// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/lista.h"

namespace quillform::detail {

// Linking moves the end of an edge onto the vertex it meets, and an arc
// keeps its centre, radius and direction: across a gap longer than the arc
// it would run the long way round. Each arc edge of the contours whose ends
// moved by more than its length, or that now turns through the other side
// of its circle, becomes a straight edge.
void KeepArcSidesAtMovedEnds(TLista* contours);

} // namespace quillform::detail
