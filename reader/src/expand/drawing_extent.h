// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/entity_lists.h"

namespace quillform::detail {

// The size of the drawing: the longer side of the box around every
// model-space entity (circles and arcs with their full circles); 0 when
// there is none.
double DrawingSize(const quillform::detail::TEntityLists& lists);

} // namespace quillform::detail
