// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "link/linker.h"
#include "model/entity_lists.h"

#include "quillform/lista.h"

#include <cstdint>

namespace quillform::detail {

// The literal scan: chains the lists' segments, arcs and open polylines
// into contours appended to outList, first match wins. Consumes the three
// lists (unless linking stops on an open chain); ORs status bits into
// *status; always true.
bool LinkContours(TEntityLists& lists, TLista* outList, int32_t* status,
                  const TLinkOptions& options);

} // namespace quillform::detail
