// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "collect/expansion_budget.h"
#include "model/block_model.h"
#include "model/entity_lists.h"

#include "quillform/diagnostics.h"

#include <cstdint>

namespace quillform::detail {

// Places model space with every insert expanded, recursively, in file
// order, into the collector's model-space lists: each block's base point is
// subtracted, then its insert's scale, rotation, array cell, insertion point
// and object coordinate system are applied, composed through every level.
// An entity on layer "0" inside a block takes the layer of the insert that
// places it. A block that inserts itself is expanded once and then stopped,
// and so is nesting deeper than kMaxNesting levels (each with a warning).
// Circles, arcs and bulges that a map does not keep circular, ellipses and
// splines become chains of arcs and lines within the curve tolerance, each
// fitted once per shape of its map. `budget` (if given) is charged for every
// block visited, insert met and entity made inside a block; the whole cost
// is first counted on the block graph, so that the read stops before
// anything is made where the count alone passes the budget. Model space's
// own items are freed as they are placed (no insert refers to them), so
// that a large drawing is never held twice; the blocks stay.
struct TExpansionRules {
    double curveTolerance = 0.01;
    double bulgeTolerance = 1e-5;
    TExpansionBudget* budget = nullptr;
};
void ExpandModelSpace(TDrawingModel& model, quillform::detail::TEntityLists& lists,
                      quillform::Diagnostics& report, const TExpansionRules& rules);

} // namespace quillform::detail
