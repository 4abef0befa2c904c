// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/entity_store.h"
#include "quillform/shape_records.h"

namespace quillform::detail {

// A copy of a segment on `layer`, its ends passed through `map` (x, y -> TPoint2D).
template <typename Map>
TDXFSegment* MappedSegment(const TDXFSegment& from, const char* layer, const Map& map) {
    auto copy = std::make_unique<TDXFSegment>();
    const TPoint2D p1 = map(from.X1, from.Y1), p2 = map(from.X2, from.Y2);
    copy->X1 = p1.X;
    copy->Y1 = p1.Y;
    copy->X2 = p2.X;
    copy->Y2 = p2.Y;
    copy->Layer = quillform::CopyName(layer);
    return copy.release();
}

// A copy of a polyline record (its flags item, then its vertices) on `layer`,
// each vertex made by `map` from the original.
template <typename Map>
TDXFPolygon* MappedPolyline(const TDXFPolygon& from, const char* layer, const Map& map) {
    TOwnedPolyline copy(new TDXFPolygon()); // freed, with what it holds, if memory runs out
    int32_t* flags = NewPlainItem<int32_t>();
    *flags = *static_cast<const int32_t*>(from.Head->Item);
    copy->AddPlain(flags);
    for (const TListaNode* v = from.Head->Next; v; v = v->Next) {
        auto* placed = NewPlainItem<dxf_info>();
        *placed = map(*static_cast<const dxf_info*>(v->Item));
        copy->AddPlain(placed);
    }
    copy->Layer = quillform::CopyName(layer);
    return copy.release();
}

} // namespace quillform::detail
