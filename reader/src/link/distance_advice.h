// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/entity_lists.h"

#include "quillform/diagnostics.h"

namespace quillform::detail {

// Warns once ("distanceTooLarge", with a suggested distance) when the
// linking distance exceeds 1 % of the drawing's size, or the length of many
// of its segments and arcs: first-match linking can then jump across them.
// The drawing's unit (from the report) is named, since a distance meant for
// millimetres is what usually goes wrong on a drawing in inches or metres.
void AdviseOnDistance(const quillform::detail::TEntityLists& lists, double distance,
                      double drawingSize, quillform::Diagnostics& report);

} // namespace quillform::detail
