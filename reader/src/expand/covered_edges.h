// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/entity_lists.h"

#include "quillform/diagnostics.h"

namespace quillform::detail {

// Cuts out of every loose line and arc the stretches that an edge of a
// polyline or a circle of its layer already covers: what is left of it
// stays (in pieces where a covered stretch lies inside it), what is covered
// whole goes. The polylines and circles are left as they are. Only lines,
// only arcs or neither may be asked for.
void CutCoveredEdges(TEntityLists& lists, double tolerance, bool lines, bool arcs,
                     quillform::Diagnostics& report);

// Counts one more run of edges merged on the layer ("overlapsMerged"),
// adding the length taken away to its value.
void AddMerged(quillform::Diagnostics& report, const char* layer, double length);

} // namespace quillform::detail
