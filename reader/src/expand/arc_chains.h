// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/lista.h"

namespace quillform::detail {

// Turns the bulges of every raw polyline in the list into arc edges on its
// vertices (the edge leaving vertex k is described on vertex k), so that a
// polyline stays one chain, joined in its own order. An open polyline gets
// no edge from its last vertex back to its first. Vertices that repeat the
// one before them (within the tolerance) are dropped with their empty edge.
void KeepBulgesAsArcs(TLista* polylines, double tolerance);

} // namespace quillform::detail
