// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/block_model.h"
#include "model/entity_lists.h"

#include "quillform/diagnostics.h"

#include <cstdint>
#include <functional>

namespace quillform::detail {

// Places model space with every insert expanded, recursively, in file
// order, into the collector's model-space lists: each block's base point is
// subtracted, then its insert's scale, rotation, array cell, insertion point
// and object coordinate system are applied, composed through every level.
// An entity on layer "0" inside a block takes the layer of the insert that
// places it. A block that inserts itself is expanded once and then stopped.
// Circles, arcs and bulges that a map does not keep circular, ellipses and
// splines become chains of arcs and lines within the curve tolerance.
// `spend` is told how many entities each model-space insert will produce
// before any is made, so that a budget can stop the read first.
struct TExpansionRules {
    double curveTolerance = 0.01;
    double bulgeTolerance = 1e-5;
    std::function<void(int64_t)> spend;
};
void ExpandModelSpace(const TDrawingModel& model, quillform::detail::TEntityLists& lists,
                      quillform::Diagnostics& report, const TExpansionRules& rules);

} // namespace quillform::detail
