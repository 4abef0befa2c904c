// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/entity_lists.h"

#include "quillform/diagnostics.h"

namespace quillform::detail {

// Edges the cutting head would run twice: lines of one layer on one line
// whose stretches overlap, arcs of one layer on one circle whose sweeps
// overlap (ends that merely meet do not count). Two places `tolerance`
// apart are one place.
//
// Notes each layer's overlaps ("overlappingEdges", the overlapped length as
// its value, placed at the middle of the first) and its lines, arcs and
// circles of no length ("tinyEntities") in the report; changes nothing.
//
// Returns what it found, so that merging can pass over what is not there.
struct TOverlapsFound {
    bool looseLines = false, looseArcs = false;     // loose edges over each other
    bool coveredLines = false, coveredArcs = false; // over polylines or circles
};
TOverlapsFound NoteEdgeOverlaps(const TEntityLists& lists, double tolerance,
                                quillform::Diagnostics& report);

// Replaces every run of overlapping lines (arcs) by one line (arc) from the
// run's first end to its last, then cuts out of the loose edges what
// polylines and circles cover, so that linking closes the outline once and
// its length counts each stretch once; warns "overlapsMerged" with the
// length taken away. A run of arcs that goes all the way round is left.
// `found` (from NoteEdgeOverlaps on the same lists, or on fewer entities)
// says which of the passes may find anything.
void MergeEdgeOverlaps(TEntityLists& lists, double tolerance, const TOverlapsFound& found,
                       quillform::Diagnostics& report);

} // namespace quillform::detail
