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

// The same scan, nearest first: at each step the entity end nearest to
// either end of the contour joins (see nearest_first.h), and a chain that
// stays open only for a short edge at its end closes across it.
bool LinkContoursNearestFirst(TEntityLists& lists, TLista* outList, int32_t* status,
                              const TLinkOptions& options);

} // namespace quillform::detail
