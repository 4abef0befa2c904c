// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/entity_lists.h"

namespace quillform::detail {

TEntityLists::~TEntityLists() {
    FreeContours(&Polylines);
    FreeSegments(&Segments);
    FreeCircles(&Circles);
    FreeArcs(&Arcs);
    while (Blocks.Count > 0) {
        delete static_cast<block*>(Blocks.Head->Item);
        Blocks.Delete(0);
    }
}

} // namespace quillform::detail
