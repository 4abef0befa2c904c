// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/entity_store.h"

#include "quillform/lista.h"

namespace quillform::detail {

// What one read collects, handed from stage to stage: the model-space
// entities (segments, arcs, circles, raw polylines), the finished block
// definitions, the layer-name registry and the header values that tell the
// drawing's unit. The collector fills it while the file is parsed; blocks
// and bulges are resolved in it, and linking consumes it. It owns every
// record in its lists.
struct TEntityLists {
    TLista Segments;
    TLista Arcs;
    TLista Circles;
    TLista Polylines;
    TLista Blocks;
    TLayersName LayerNames;
    // $INSUNITS and $MEASUREMENT; -1 while absent.
    int InsUnits = -1;
    int Measurement = -1;

    TEntityLists() = default;
    ~TEntityLists();
    TEntityLists(const TEntityLists&) = delete;
    TEntityLists& operator=(const TEntityLists&) = delete;
};

} // namespace quillform::detail
