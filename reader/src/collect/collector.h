// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "collect/name_decoding.h"
#include "model/entity_lists.h"
#include "model/entity_store.h"
#include "model/name_widener.h"
#include "quillform/diagnostics.h"
#include "quillform/events.h"

#include <dl_creationadapter.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace quillform::detail {
class TExpansionBudget;
} // namespace quillform::detail

// Receives dxflib's callbacks for one read: stores lines, arcs, circles,
// polylines and block definitions in the read's entity lists (its
// TEntityLists base: Segments, Arcs, Circles, Polylines, Blocks and the
// layer-name registry LayerNames), expands inserts and raises one event per
// entity. The entity event slots (OnLayer ... OnInsert) are the
// EntityEvents base. The stages after parsing take the lists, never the
// collector.
class DL_Dxf;

class Test_CreationClass : public DL_CreationAdapter,
                           public quillform::detail::TEntityLists,
                           public quillform::EntityEvents {
public:
    TDXFPolygon* CurrentPolyline = nullptr;
    block* CurrentBlock = nullptr;

    // report (if given) counts what the collector leaves out; budget (if
    // given) limits the entities that inserts may produce.
    explicit Test_CreationClass(const quillform::EntityEvents& events = quillform::EntityEvents(),
                                quillform::Diagnostics* report = nullptr,
                                quillform::detail::TExpansionBudget* budget = nullptr);
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
    void setVariableInt(const std::string& key, int value, int code) override;
    void setVariableString(const std::string& key, const std::string& value, int code) override;

    // Entities the reader does not use: counted (see census.cpp), nothing more.
    void addPoint(const DL_PointData&) override;
    void addXLine(const DL_XLineData&) override;
    void addRay(const DL_RayData&) override;
    void addEllipse(const DL_EllipseData&) override;
    void addSpline(const DL_SplineData&) override;
    void addTrace(const DL_TraceData&) override;
    void add3dFace(const DL_3dFaceData&) override;
    void addSolid(const DL_SolidData&) override;
    void addMText(const DL_MTextData&) override;
    void addText(const DL_TextData&) override;
    void addArcAlignedText(const DL_ArcAlignedTextData&) override;
    void addAttribute(const DL_AttributeData&) override;
    void addDimAlign(const DL_DimensionData&, const DL_DimAlignedData&) override;
    void addDimLinear(const DL_DimensionData&, const DL_DimLinearData&) override;
    void addDimRadial(const DL_DimensionData&, const DL_DimRadialData&) override;
    void addDimDiametric(const DL_DimensionData&, const DL_DimDiametricData&) override;
    void addDimAngular(const DL_DimensionData&, const DL_DimAngular2LData&) override;
    void addDimAngular3P(const DL_DimensionData&, const DL_DimAngular3PData&) override;
    void addDimOrdinate(const DL_DimensionData&, const DL_DimOrdinateData&) override;
    void addLeader(const DL_LeaderData&) override;
    void addHatch(const DL_HatchData&) override;
    void addImage(const DL_ImageData&) override;

    // The parser that calls this collector, for the groups its callbacks do
    // not pass on (a vertex's flags).
    void ReadBy(DL_Dxf* parser) { parser_ = parser; }

    // No callback follows the last entity of a file: the reader hands the
    // pending polyline to the model-space list once parsing is over.
    void FlushLastPolyline();
    // What is left to do once the file is parsed, before the lists are
    // read: here, the pending polyline is flushed.
    virtual void FinishCollecting() { FlushLastPolyline(); }

    // The stages after parsing, as members of the collector: each runs the
    // stage's own function on the lists (see pipeline/collector_stages.cpp).
    // Replaces every polyline with a bulge outside the tolerance by one
    // segment or arc per edge, appended after the collected ones.
    void ExplodeBulgedPolylines(double tolerance);
    // Chains segments, arcs and polylines whose ends lie within the linking
    // distance into contours, first match wins. Consumes the three lists
    // (unless linking stops on an open chain); ORs status bits into *status.
    bool LinkContours(TLista* outList, int32_t* status, double linkingDistance,
                      int32_t openContourMode, bool mixLayers);

protected:
    // Counts content this read leaves unused, with what would use it.
    void Ignore(const char* type, const char* hint = "");
    void NoteText(double x, double y);
    // Where each collected entity goes. These rules file it at once under the
    // open block or model space and expand an insert as it is read (ending
    // the open block); other geometry rules keep entities for later instead.
    // Each takes ownership of what it is given.
    virtual void KeepSegment(TDXFSegment* segment);
    virtual void KeepArc(TDXFArc* arc);
    virtual void KeepCircle(TDXFCircle* circle);
    virtual void KeepPolyline(TDXFPolygon* polyline);
    virtual void KeepInsert(const DL_InsertData& data, const std::string& layer);
    // Whether the vertex being read belongs to the pending polyline's outline.
    virtual bool VertexDrawn() { return true; }
    // The flags (group 70) of the entity being read; 0 when unknown.
    int EntityFlags();
    // Called when a block definition has been opened as CurrentBlock.
    virtual void BlockOpened(const DL_BlockData& /*data*/) {}

    // The layer of the entity being read, and any layer or block name, as
    // UTF-8 (see TNameDecoding).
    std::string EntityLayer();
    std::string Named(const std::string& name) const { return names_(name); }

    void Flush();
    void FinishBlock();

private:
    void RegisterLayer(const std::string& name);
    void Store(TLista& modelSpaceList, TLista block::*blockList, void* entity);
    void ExpandInsert(const DL_InsertData& data, const char* layer);
    void ExpandBlock(const block& source, TPoint2D insertion, double angle, const char* layer);

    bool UsableRadius(double radius, const std::string& layer);
    // What these rules leave out of an entity the accurate rules would use.
    bool PlaneIgnored();
    void CountPlaneAndSpace(bool planeIgnored, bool inPaperSpace);
    void CountInsertParts(const DL_InsertData& data);
    bool pendingPlaneIgnored_ = false;
    bool pendingInPaperSpace_ = false;
    std::vector<std::string> blocksWithBase_;
    // The finished blocks by name, each name's in definition order.
    std::unordered_map<std::string, std::vector<const block*>> blocksByName_;
    // Only for an event slot that is set: most reads set none, and a wide
    // name per entity is a conversion and an allocation.
    std::wstring Wide(const std::string& name) const { return widen_(name.c_str()); }

    quillform::detail::NameWidener widen_;
    quillform::detail::TNameDecoding names_;
    DL_Dxf* parser_ = nullptr;
    quillform::Diagnostics* report_;
    quillform::detail::TExpansionBudget* budget_;
};
