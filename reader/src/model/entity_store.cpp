// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/entity_store.h"

#include <cstring>

namespace quillform::detail {
namespace {
template <typename Record> void DestroyAll(TLista* list) {
    while (list->Count > 0) {
        delete static_cast<Record*>(list->Head->Item);
        list->Delete(0);
    }
}
} // namespace

bool SameName(const char* a, const char* b) {
    if (!a || !b)
        return a == b;
    return std::strcmp(a, b) == 0;
}

void DestroyPolygon(TDXFPolygon* polygon) {
    if (!polygon)
        return;
    polygon->ClearVertices();
    delete polygon;
}

void FreeSegments(TLista* list) {
    DestroyAll<TDXFSegment>(list);
}
void FreeArcs(TLista* list) {
    DestroyAll<TDXFArc>(list);
}

} // namespace quillform::detail

using namespace quillform::detail;

dxf_info* TDXFPolygon::NextItem(const TListaNode* node) const {
    if (!node)
        return nullptr;
    const TListaNode* next = node->Next ? node->Next : Head;
    return static_cast<dxf_info*>(next->Item);
}

dxf_info* TDXFPolygon::NextVertex(const TListaNode* node) const {
    if (!node)
        return nullptr;
    const TListaNode* next = node->Next ? node->Next : (Head ? Head->Next : nullptr);
    return next ? static_cast<dxf_info*>(next->Item) : nullptr;
}

void TDXFPolygon::ClearVertices() {
    while (Count > 0) {
        FreePlainItem(Head->Item);
        Delete(0);
    }
}

void TDXFPolygon::AddPlain(void* item) {
    InsertPlain(Count, item);
}

void TDXFPolygon::InsertPlain(int32_t index, void* item) {
    try {
        Insert(index, item);
    } catch (...) {
        FreePlainItem(item);
        throw;
    }
}

void FreeContours(TLista* list) {
    while (list->Count > 0) {
        DestroyPolygon(static_cast<TDXFPolygon*>(list->Head->Item));
        list->Delete(0);
    }
}

void FreeCircles(TLista* list) {
    DestroyAll<TDXFCircle>(list);
}

block::~block() {
    FreeContours(&polygons);
    FreeSegments(&segments);
    FreeCircles(&circles);
    FreeArcs(&arcs);
}

TLayersName::~TLayersName() {
    Clear();
}

void TLayersName::CatchUp() const {
    for (const TListaNode* node = indexedTail_ ? indexedTail_->Next : Head; node;
         node = node->Next) {
        if (const auto* name = static_cast<const char*>(node->Item))
            index_.emplace(name);
        else
            hasNullName_ = true;
        indexedTail_ = node;
    }
}

bool TLayersName::Contains(const char* name) const {
    CatchUp();
    return name ? index_.count(name) > 0 : hasNullName_;
}

void TLayersName::AddName(const char* name) {
    AddOwned(*this, quillform::CopyName(name));
}

void TLayersName::Clear() {
    index_.clear();
    hasNullName_ = false;
    indexedTail_ = nullptr;
    while (Count > 0) {
        delete[] static_cast<char*>(Head->Item);
        Delete(0);
    }
}
