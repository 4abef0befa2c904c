// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collect/accurate_collector.h"

#include "model/geometry_constants.h"

#include <dl_extrusion.h>

#include <algorithm>
#include <cctype>

namespace quillform::detail {

namespace {
// Polyline flags: 3-D polylines hold world coordinates; meshes hold faces, not outlines.
constexpr int kPolyline3d = 8;
constexpr int kPolygonMesh = 16;
constexpr int kPolyfaceMesh = 64;
constexpr int kSplineFitPolyline = 4;
// Vertex flag: a control point of a spline-fit polyline's frame.
constexpr int kFrameVertex = 16;
// Spline flags.
constexpr int kSplineClosed = 1;
constexpr int kSplinePeriodic = 2;
constexpr int kSplineRational = 4;

bool IsPaperSpaceBlock(const std::string& name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.rfind("*paper_space", 0) == 0;
}

const char* LayerName(const quillform::OwnedName& name) {
    return name ? name.get() : "";
}
} // namespace

TAccurateCollector::TAccurateCollector(const quillform::EntityEvents& events,
                                       quillform::Diagnostics& report, TExpansionBudget& budget,
                                       TDrawingModel& model)
    : Test_CreationClass(events, &report, &budget), report_(report), model_(model) {}

void TAccurateCollector::addBlock(const DL_BlockData& data) {
    Test_CreationClass::addBlock(data); // flushes into the block that was open
    model_.blocks.push_back(std::make_unique<TBlockContents>());
    openBlock_ = model_.blocks.back().get();
    openBlock_->name = Named(data.name);
    openBlock_->base = TPoint2D(data.bpx, data.bpy);
    openBlockIsPaper_ = IsPaperSpaceBlock(data.name);
}

void TAccurateCollector::endBlock() {
    Test_CreationClass::endBlock();
    openBlock_ = nullptr;
    openBlockIsPaper_ = false;
}

// Ellipses and splines raise no event, so their layers were not registered
// while reading: they are added after the others, without an event.
void TAccurateCollector::FinishCollecting() {
    Flush();
    for (const std::string& layer : curveLayers_)
        if (!LayerNames.Contains(layer.c_str()))
            LayerNames.AddName(layer.c_str());
}

TBlockContents* TAccurateCollector::Target() {
    if (openBlockIsPaper_ || getAttributes().isInPaperSpace()) {
        Ignore("paper space");
        return nullptr;
    }
    return openBlock_ ? openBlock_ : &model_.modelSpace;
}

bool TAccurateCollector::EntityPlane(double elevation, TAffine2D* map) {
    const double* n = getExtrusion()->getDirection();
    return ObjectToWorld(n[0], n[1], n[2], elevation, map);
}

std::optional<TEdgeOnView> TAccurateCollector::EntityView(double elevation) {
    const double* n = getExtrusion()->getDirection();
    return EdgeOnView(n[0], n[1], n[2], elevation);
}

void TAccurateCollector::KeepEdgeOn(const std::optional<TEdgeOnView>& view, const TXSpan& span,
                                    const char* layer, TBlockContents& target) {
    std::unique_ptr<TDXFSegment> shown(view ? ShownSegment(*view, span) : nullptr);
    if (!shown) {
        report_.Warn("edgeOnPlane", layer);
        return;
    }
    shown->Layer = quillform::CopyName(layer);
    report_.Warn("verticalPlane", layer);
    target.items.emplace_back(TPlaced<std::unique_ptr<TDXFSegment>>{std::move(shown), {}});
}

void TAccurateCollector::KeepSegment(TDXFSegment* segment) {
    // Lines are written in world coordinates whatever their extrusion.
    std::unique_ptr<TDXFSegment> owned(segment);
    if (TBlockContents* target = Target())
        target->items.emplace_back(TPlaced<std::unique_ptr<TDXFSegment>>{std::move(owned), {}});
}

void TAccurateCollector::KeepArc(TDXFArc* arc) {
    std::unique_ptr<TDXFArc> owned(arc);
    TBlockContents* target = Target();
    TAffine2D plane;
    const double elevation = getExtrusion()->getElevation();
    if (!target)
        return;
    if (EntityPlane(elevation, &plane))
        target->items.emplace_back(TPlaced<std::unique_ptr<TDXFArc>>{std::move(owned), plane});
    else
        KeepEdgeOn(EntityView(elevation), ArcSpan(*arc), LayerName(arc->Layer), *target);
}

void TAccurateCollector::KeepCircle(TDXFCircle* circle) {
    std::unique_ptr<TDXFCircle> owned(circle);
    TBlockContents* target = Target();
    TAffine2D plane;
    const double elevation = getExtrusion()->getElevation();
    if (!target)
        return;
    if (EntityPlane(elevation, &plane))
        target->items.emplace_back(TPlaced<std::unique_ptr<TDXFCircle>>{std::move(owned), plane});
    else
        KeepEdgeOn(EntityView(elevation), CircleSpan(*circle), LayerName(circle->Layer), *target);
}

void TAccurateCollector::addPolyline(const DL_PolylineData& data) {
    Test_CreationClass::addPolyline(data); // flushes the previous polyline first
    pending_ = PolylineSetting();
    pending_.paper = Target() == nullptr;
    pending_.mesh = (data.flags & (kPolygonMesh | kPolyfaceMesh)) != 0;
    pending_.splineFit = (data.flags & kSplineFitPolyline) != 0;
    if (!(data.flags & kPolyline3d)) {
        const double* n = getExtrusion()->getDirection();
        const double elevation = getExtrusion()->getElevation();
        pending_.planar = ObjectToWorld(n[0], n[1], n[2], elevation, &pending_.plane);
        if (!pending_.planar)
            pending_.edgeOn = EntityView(elevation);
    }
}

// A spline-fit polyline holds the vertices of its curve and those of its
// frame, the control points shown only while SPLFRAME is on.
bool TAccurateCollector::VertexDrawn() {
    return !pending_.splineFit || !(EntityFlags() & kFrameVertex);
}

void TAccurateCollector::KeepPolyline(TDXFPolygon* polyline) {
    TOwnedPolyline owned(polyline);
    if (pending_.paper)
        return;
    const char* layer = LayerName(polyline->Layer);
    if (pending_.mesh) {
        report_.Warn("meshLeftOut", layer);
        return;
    }
    TBlockContents* target = openBlock_ ? openBlock_ : &model_.modelSpace;
    if (!pending_.planar) {
        KeepEdgeOn(pending_.edgeOn, PolylineSpan(*polyline), layer, *target);
        return;
    }
    target->items.emplace_back(TPlaced<TOwnedPolyline>{std::move(owned), pending_.plane});
}

void TAccurateCollector::KeepInsert(const DL_InsertData& data, const std::string& layer) {
    TBlockContents* target = Target();
    TAffine2D plane;
    if (!target)
        return;
    if (!EntityPlane(data.ipz, &plane)) {
        report_.Warn("edgeOnPlane", layer); // a block seen edge-on: left out
        return;
    }
    TInsertItem insert(data.name, layer, data.rows, data.cols, data.rowSp, data.colSp);
    // The spacing is along the rotated axes and not scaled.
    insert.scale = TAffine2D::Scaling(data.sx, data.sy);
    insert.place = TAffine2D::Rotation(data.angle)
                       .Then(TAffine2D::Translation(data.ipx, data.ipy))
                       .Then(plane);
    target->items.emplace_back(std::make_unique<TInsertItem>(std::move(insert)));
}

// An ELLIPSE is written in world coordinates: its minor axis is the
// extrusion direction crossed with the major axis, scaled by the ratio.
void TAccurateCollector::addEllipse(const DL_EllipseData& data) {
    Flush();
    TBlockContents* target = Target();
    if (!target)
        return;
    const double* n = getExtrusion()->getDirection();
    const double minorX = data.ratio * (n[1] * data.mz - n[2] * data.my);
    const double minorY = data.ratio * (n[2] * data.mx - n[0] * data.mz);
    TEllipseItem ellipse;
    ellipse.unitCircle.a = data.mx;
    ellipse.unitCircle.c = data.my;
    ellipse.unitCircle.b = minorX;
    ellipse.unitCircle.d = minorY;
    ellipse.unitCircle.e = data.cx;
    ellipse.unitCircle.f = data.cy;
    ellipse.startDegrees = data.angle1 * 180 / kPi;
    ellipse.endDegrees = data.angle2 * 180 / kPi;
    ellipse.layer = EntityLayer();
    curveLayers_.push_back(ellipse.layer);
    target->items.emplace_back(std::make_unique<TEllipseItem>(std::move(ellipse)));
}

void TAccurateCollector::addSpline(const DL_SplineData& data) {
    Flush();
    splineBlock_ = Target();
    if (!splineBlock_)
        return;
    TSplineItem spline;
    spline.layer = EntityLayer();
    curveLayers_.push_back(spline.layer);
    spline.curve.degree = static_cast<int>(data.degree);
    spline.curve.closed = (data.flags & kSplineClosed) != 0;
    spline.curve.periodic = (data.flags & kSplinePeriodic) != 0;
    spline.rational = (data.flags & kSplineRational) != 0;
    const TPoint2D start(data.tangentStartX, data.tangentStartY);
    const TPoint2D end(data.tangentEndX, data.tangentEndY);
    if (start.X != 0 || start.Y != 0)
        spline.curve.startTangent = start;
    if (end.X != 0 || end.Y != 0)
        spline.curve.endTangent = end;
    splineBlock_->items.emplace_back(std::make_unique<TSplineItem>(std::move(spline)));
    splineItem_ = splineBlock_->items.size() - 1;
}

TSplineCurve* TAccurateCollector::OpenSpline() {
    if (!splineBlock_ || splineItem_ >= splineBlock_->items.size())
        return nullptr;
    auto* spline = std::get_if<std::unique_ptr<TSplineItem>>(&splineBlock_->items[splineItem_]);
    return spline ? &(*spline)->curve : nullptr;
}

void TAccurateCollector::addControlPoint(const DL_ControlPointData& data) {
    if (TSplineCurve* spline = OpenSpline()) {
        spline->controlPoints.emplace_back(data.x, data.y);
        spline->weights.push_back(data.w);
    }
}

void TAccurateCollector::addKnot(const DL_KnotData& data) {
    if (TSplineCurve* spline = OpenSpline())
        spline->knots.push_back(data.k);
}

void TAccurateCollector::addFitPoint(const DL_FitPointData& data) {
    if (TSplineCurve* spline = OpenSpline())
        spline->fitPoints.emplace_back(data.x, data.y);
}

} // namespace quillform::detail
