// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/entity_store.h"
#include "quillform/events.h"
#include "quillform/wide_names.h"

#include <dl_creationadapter.h>

#include <string>

// Receives dxflib's callbacks for one read: stores lines, arcs, circles,
// polylines and block definitions, keeps the layer-name registry, expands
// inserts and raises one event per entity.
class Test_CreationClass : public DL_CreationAdapter {
public:
    // Model-space entities (outside any block definition).
    TLista Segments;
    TLista Arcs;
    TLista Circles;
    TLista Polylines;
    TDXFPolygon* CurrentPolyline = nullptr;
    TLista Blocks;
    block* CurrentBlock = nullptr;
    TLayersName LayerNames;

    TLayerEvent OnLayer;
    TSegmentEvent OnSegment;
    TCircleEvent OnCircle;
    TArcEvent OnArc;
    TPolylineEvent OnPolyline;
    TVertexEvent OnVertex;
    TBlockEvent OnBlock;
    TEndBlockEvent OnEndBlock;
    TInsertEvent OnInsert;

    explicit Test_CreationClass(const TEntityEvents& events = TEntityEvents());
    ~Test_CreationClass() override;
    Test_CreationClass(const Test_CreationClass&) = delete;
    Test_CreationClass& operator=(const Test_CreationClass&) = delete;

    void addLayer(const DL_LayerData& data) override;
    void addBlock(const DL_BlockData& data) override;
    void endBlock() override;
    void addLine(const DL_LineData& data) override;
    void addArc(const DL_ArcData& data) override;
    void addCircle(const DL_CircleData& data) override;
    void addPolyline(const DL_PolylineData& data) override;
    void addVertex(const DL_VertexData& data) override;
    void addInsert(const DL_InsertData& data) override;

    // No callback follows the last entity of a file: the reader hands the
    // pending polyline to the model-space list once parsing is over.
    void FlushLastPolyline();

private:
    void Flush();
    void FinishBlock();
    void RegisterLayer(const std::string& name);
    void Store(TLista& modelSpaceList, TLista block::*blockList, void* entity);
    void ExpandInsert(const DL_InsertData& data, const char* layer);
    std::string EntityLayer();
    std::wstring Wide(const std::string& name) const { return widen_(name.c_str()); }

    NameWidener widen_;
};
