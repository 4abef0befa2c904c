// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/entity_store.h"
#include "quillform/shape_records.h"

// A copy of a polyline record (its flags item, then its vertices) on `layer`,
// each vertex made by `map` from the original.
template <typename Map>
TDXFPolygon* MappedPolyline(const TDXFPolygon& from, const char* layer, const Map& map) {
    auto* copy = new TDXFPolygon();
    int32_t* flags = NewPlainItem<int32_t>();
    *flags = *static_cast<const int32_t*>(from.Head->Item);
    copy->Add(flags);
    for (const TListaNode* v = from.Head->Next; v; v = v->Next) {
        auto* placed = NewPlainItem<dxf_info>();
        *placed = map(*static_cast<const dxf_info*>(v->Item));
        copy->Add(placed);
    }
    copy->Layer = CopyName(layer);
    return copy;
}
