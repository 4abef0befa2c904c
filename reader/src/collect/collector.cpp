// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collect/collector.h"

#include "model/geometry.h"

#include <dl_dxf.h>

#include <cmath>
#include <memory>

using namespace quillform::detail;

Test_CreationClass::Test_CreationClass(const quillform::EntityEvents& events,
                                       quillform::Diagnostics* report, TExpansionBudget* budget)
    : quillform::EntityEvents(events), report_(report), budget_(budget) {}

Test_CreationClass::~Test_CreationClass() {
    DestroyPolygon(CurrentPolyline);
    delete CurrentBlock;
}

int Test_CreationClass::EntityFlags() {
    return parser_ ? parser_->getIntValue(70, 0) : 0;
}

std::string Test_CreationClass::EntityLayer() {
    return Named(getAttributes().getLayer());
}

// A circle or arc without a finite positive radius has no outline to cut:
// its event still tells what the file holds, but it is not stored.
bool Test_CreationClass::UsableRadius(double radius, const std::string& layer) {
    if (std::isfinite(radius) && radius > 0)
        return true;
    if (report_)
        report_->Warn("degenerateRadius", layer);
    return false;
}

void Test_CreationClass::Flush() {
    if (!CurrentPolyline || CurrentPolyline->Count < 1)
        return;
    TDXFPolygon* polyline = CurrentPolyline;
    CurrentPolyline = nullptr;
    KeepPolyline(polyline);
}

// Each entity is freed if memory runs out before its list holds it.
void Test_CreationClass::KeepPolyline(TDXFPolygon* polyline) {
    TOwnedPolyline owned(polyline);
    CountPlaneAndSpace(pendingPlaneIgnored_, pendingInPaperSpace_);
    AddOwned(CurrentBlock ? CurrentBlock->polygons : Polylines, std::move(owned));
}

void Test_CreationClass::KeepSegment(TDXFSegment* segment) {
    std::unique_ptr<TDXFSegment> owned(segment);
    CountPlaneAndSpace(false, getAttributes().isInPaperSpace());
    Store(Segments, &block::segments, segment);
    owned.release();
}

void Test_CreationClass::KeepArc(TDXFArc* arc) {
    std::unique_ptr<TDXFArc> owned(arc);
    CountPlaneAndSpace(PlaneIgnored(), getAttributes().isInPaperSpace());
    Store(Arcs, &block::arcs, arc);
    owned.release();
}

void Test_CreationClass::KeepCircle(TDXFCircle* circle) {
    std::unique_ptr<TDXFCircle> owned(circle);
    CountPlaneAndSpace(PlaneIgnored(), getAttributes().isInPaperSpace());
    Store(Circles, &block::circles, circle);
    owned.release();
}

// An insert ends the open block definition and is expanded at once, so it
// sees only the blocks finished before it.
void Test_CreationClass::KeepInsert(const DL_InsertData& data, const std::string& layer) {
    CountPlaneAndSpace(PlaneIgnored(), getAttributes().isInPaperSpace());
    CountInsertParts(data);
    FinishBlock();
    ExpandInsert(data, layer.c_str());
}

void Test_CreationClass::FlushLastPolyline() {
    if (!CurrentPolyline || CurrentPolyline->Count < 1)
        return;
    Polylines.Add(CurrentPolyline);
    CurrentPolyline = nullptr;
}

void Test_CreationClass::FinishBlock() {
    if (!CurrentBlock)
        return;
    block* finished = CurrentBlock;
    Blocks.Add(finished);
    // The list owns it now, even if indexing it fails.
    CurrentBlock = nullptr;
    if (finished->name)
        blocksByName_[finished->name.get()].push_back(finished);
}

void Test_CreationClass::RegisterLayer(const std::string& name) {
    if (LayerNames.Contains(name.c_str()))
        return;
    LayerNames.AddName(name.c_str());
    if (OnLayer.Func)
        OnLayer.Raise(Wide(name).c_str());
}

void Test_CreationClass::Store(TLista& modelSpaceList, TLista block::*blockList, void* entity) {
    if (CurrentBlock)
        (CurrentBlock->*blockList).Add(entity);
    else
        modelSpaceList.Add(entity);
}

void Test_CreationClass::addLayer(const DL_LayerData& data) {
    const std::string name = Named(data.name);
    LayerNames.AddName(name.c_str());
    if (OnLayer.Func)
        OnLayer.Raise(Wide(name).c_str());
}

void Test_CreationClass::addBlock(const DL_BlockData& raw) {
    DL_BlockData data = raw;
    data.name = Named(raw.name);
    Flush();
    FinishBlock();
    CurrentBlock = new block();
    CurrentBlock->name = quillform::CopyName(data.name.c_str());
    if (data.bpx != 0 || data.bpy != 0)
        blocksWithBase_.push_back(data.name);
    BlockOpened(data);
    if (OnBlock.Func)
        OnBlock.Raise(Wide(data.name).c_str(), data.bpx, data.bpy, data.bpz);
}

void Test_CreationClass::endBlock() {
    Flush();
    FinishBlock();
    OnEndBlock.Raise();
}

void Test_CreationClass::addLine(const DL_LineData& data) {
    const std::string layer = EntityLayer();
    auto* segment = new TDXFSegment();
    segment->X1 = data.x1;
    segment->Y1 = data.y1;
    segment->X2 = data.x2;
    segment->Y2 = data.y2;
    segment->Layer = quillform::CopyName(layer.c_str());
    KeepSegment(segment);
    Flush();
    RegisterLayer(layer);
    if (OnSegment.Func)
        OnSegment.Raise(data.x1, data.y1, data.z1, data.x2, data.y2, data.z2, Wide(layer).c_str());
}

void Test_CreationClass::addArc(const DL_ArcData& data) {
    const std::string layer = EntityLayer();
    auto arc = std::make_unique<TDXFArc>();
    arc->CenterX = data.cx;
    arc->CenterY = data.cy;
    arc->Radius = data.radius;
    // Stored in [0, 360): the bounding box only finds the axis crossings of
    // arcs whose start lies there, and writers do emit -90 or 450.
    arc->StartAngle = NormalizedAngle(data.angle1);
    arc->EndAngle = NormalizedAngle(data.angle2);
    arc->Clockwise = 0; // DXF arcs always run counter-clockwise
    arc->Sweep = arc->StartAngle < arc->EndAngle ? arc->EndAngle - arc->StartAngle
                                                 : arc->EndAngle + 360 - arc->StartAngle;
    const double start = data.angle1 * kPi / 180;
    const double end = data.angle2 * kPi / 180;
    arc->StartX = data.cx + data.radius * std::cos(start);
    arc->StartY = data.cy + data.radius * std::sin(start);
    arc->EndX = data.cx + data.radius * std::cos(end);
    arc->EndY = data.cy + data.radius * std::sin(end);
    arc->Layer = quillform::CopyName(layer.c_str());
    const double startX = arc->StartX, startY = arc->StartY, endX = arc->EndX, endY = arc->EndY;
    if (UsableRadius(data.radius, layer))
        KeepArc(arc.release());
    Flush();
    RegisterLayer(layer);
    if (OnArc.Func)
        OnArc.Raise(data.cx, data.cy, data.cz, data.radius, data.angle1, data.angle2, startX,
                    startY, endX, endY, Wide(layer).c_str());
}

void Test_CreationClass::addCircle(const DL_CircleData& data) {
    const std::string layer = EntityLayer();
    auto circle = std::make_unique<TDXFCircle>();
    circle->Center = TPoint2D(data.cx, data.cy);
    circle->Radius = data.radius;
    circle->Layer = quillform::CopyName(layer.c_str());
    if (UsableRadius(data.radius, layer))
        KeepCircle(circle.release());
    Flush();
    RegisterLayer(layer);
    if (OnCircle.Func)
        OnCircle.Raise(data.cx, data.cy, data.cz, data.radius, Wide(layer).c_str());
}

void Test_CreationClass::addPolyline(const DL_PolylineData& data) {
    const std::string layer = EntityLayer();
    Flush();
    CurrentPolyline = new TDXFPolygon();
    int32_t* flags = NewPlainItem<int32_t>();
    *flags = data.flags;
    CurrentPolyline->AddPlain(flags);
    CurrentPolyline->Layer = quillform::CopyName(layer.c_str());
    pendingPlaneIgnored_ =
        PlaneIgnored() && !(data.flags & 8); // 3-D polylines are in world coordinates
    pendingInPaperSpace_ = getAttributes().isInPaperSpace();
    RegisterLayer(layer);
    if (OnPolyline.Func)
        OnPolyline.Raise(static_cast<int32_t>(data.number), static_cast<int32_t>(data.flags),
                         Wide(layer).c_str());
}

void Test_CreationClass::addVertex(const DL_VertexData& data) {
    if (CurrentPolyline && VertexDrawn()) {
        auto* vertex = NewPlainItem<dxf_info>();
        vertex->x = data.x;
        vertex->y = data.y;
        vertex->bulge = data.bulge;
        CurrentPolyline->AddPlain(vertex);
    }
    OnVertex.Raise(data.x, data.y, data.z, data.bulge);
}

void Test_CreationClass::addInsert(const DL_InsertData& raw) {
    DL_InsertData data = raw;
    data.name = Named(raw.name);
    const std::string layer = EntityLayer();
    Flush();
    KeepInsert(data, layer);
    RegisterLayer(layer);
    if (OnInsert.Func)
        OnInsert.Raise(Wide(data.name).c_str(), data.ipx, data.ipy, data.ipz, data.sx, data.sy,
                       data.sz, data.angle, Wide(layer).c_str());
}

void Test_CreationClass::setVariableString(const std::string& key, const std::string& value, int) {
    if (key == "$ACADVER" || key == "$DWGCODEPAGE")
        names_.HeaderVariable(key, value);
}

void Test_CreationClass::setVariableInt(const std::string& key, int value, int) {
    if (key == "$INSUNITS")
        InsUnits = value;
    else if (key == "$MEASUREMENT")
        Measurement = value;
}
