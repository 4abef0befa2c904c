// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/shape_records.h"

TPolygon::TPolygon(int32_t count)
    : Points(new TPolygonVertex[count > 0 ? count : 0]()), Arcs(new TArc[count > 0 ? count : 0]()),
      Count(count > 0 ? count : 0) {
    Bounds.Width = 0;
    Bounds.Height = 0;
}

TOffsetCircle::~TOffsetCircle() {
    for (double& value : Offset)
        value = 0;
}

void TBaseShape::Clear() {
    Polygon.reset();
    Circle.reset();
    Kind = kShapePolygon;
}

TTrueHole::~TTrueHole() {
    Flag1 = Flag2 = 0;
    Index = -1;
    Value = 0;
    Shape.Clear();
}

void part2d_any::Clear() {
    ReservedBufferA.reset();
    Holes.reset();
    ReservedHoleSetsA.reset(); // destroys each hole set it holds
    ReservedHoleSetsB.reset();
    Polygon.reset();
    ReservedPolygons.reset();
    ReservedOffsetPolygons.reset();
    Circle.reset();
    ReservedCircle.reset();
    ReservedOffsetCircle.reset();
    ReservedBufferB.reset();
    ReservedInt14 = -1;
    HoleCount = 0;
    ReservedInt17 = 0;
    ReservedInt16 = -1;
    ReservedHoleSetCount = 0;
    ReservedInt13 = 0;
    Kind = kShapeNone;
    for (double& value : ReservedDoubles)
        value = 0;
}

TLayer::~TLayer() {
    while (Shapes.Count > 0) {
        delete static_cast<part2d_any*>(Shapes.Head->Item);
        Shapes.Delete(0);
    }
}

TLayer* TLayers::Find(const char* name) const {
    for (const TListaNode* node = Head; node; node = node->Next) {
        auto* layer = static_cast<TLayer*>(node->Item);
        if (SameName(layer->Name.get(), name))
            return layer;
    }
    return nullptr;
}

void TLayers::Clear() {
    while (Count > 0) {
        delete static_cast<TLayer*>(Head->Item);
        Delete(0);
    }
}
