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
    Kind = quillform::kShapePolygon;
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
    Kind = quillform::kShapeNone;
    for (double& value : ReservedDoubles)
        value = 0;
}

TLayer::~TLayer() {
    while (Shapes.Count > 0) {
        delete static_cast<part2d_any*>(Shapes.Head->Item);
        Shapes.Delete(0);
    }
}

const part2d_any* TLayer::ShapeAt(int32_t index) const {
    for (const TListaNode* node = indexedTail_ ? indexedTail_->Next : Shapes.Head; node;
         node = node->Next) {
        byPosition_.push_back(static_cast<const part2d_any*>(node->Item));
        indexedTail_ = node;
    }
    if (index < 0 || static_cast<size_t>(index) >= byPosition_.size())
        return nullptr;
    return byPosition_[static_cast<size_t>(index)];
}

// Indexes the layers appended since the last lookup; the first layer of a
// name keeps the name.
void TLayers::CatchUp() const {
    for (const TListaNode* node = indexedTail_ ? indexedTail_->Next : Head; node;
         node = node->Next) {
        auto* layer = static_cast<TLayer*>(node->Item);
        if (layer->Name)
            byName_.emplace(layer->Name.get(), layer);
        else if (!firstUnnamed_)
            firstUnnamed_ = layer;
        byPosition_.push_back(layer);
        indexedTail_ = node;
    }
}

TLayer* TLayers::Find(const char* name) const {
    CatchUp();
    if (!name)
        return firstUnnamed_;
    const auto found = byName_.find(name);
    return found == byName_.end() ? nullptr : found->second;
}

TLayer* TLayers::LayerAt(int32_t index) const {
    CatchUp();
    if (byPosition_.empty() || (index >= 0 && static_cast<size_t>(index) >= byPosition_.size()))
        return nullptr;
    return byPosition_[index < 0 ? 0 : static_cast<size_t>(index)];
}

void TLayers::Clear() {
    byName_.clear();
    firstUnnamed_ = nullptr;
    byPosition_.clear();
    indexedTail_ = nullptr;
    while (Count > 0) {
        delete static_cast<TLayer*>(Head->Item);
        Delete(0);
    }
}
