// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "expand/drawing_extent.h"
#include "model/entity_lists.h"

#include "quillform/diagnostics.h"

namespace quillform::detail {

// Removes, before linking, every segment, arc, circle and closed polyline
// that repeats an earlier one of the same layer: the same ends (either way
// round, for an arc with the direction reversed), the same centre and
// radius, the same vertices and edges (from any vertex, either way round),
// within the tolerance. The first of each stays. Counted per layer in the
// report ("duplicates").
void RemoveDuplicates(quillform::detail::TEntityLists& lists, double tolerance,
                      quillform::Diagnostics& report);

} // namespace quillform::detail
