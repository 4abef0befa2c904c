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
    openBlock_->name = data.name;
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

bool TAccurateCollector::EntityPlane(double elevation, const std::string& layer, TAffine2D* map) {
    const double* n = getExtrusion()->getDirection();
    if (ObjectToWorld(n[0], n[1], n[2], elevation, map))
        return true;
    report_.Warn("edgeOnPlane", layer);
    return false;
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
    if (target && EntityPlane(getExtrusion()->getElevation(), LayerName(arc->Layer), &plane))
        target->items.emplace_back(TPlaced<std::unique_ptr<TDXFArc>>{std::move(owned), plane});
}

void TAccurateCollector::KeepCircle(TDXFCircle* circle) {
    std::unique_ptr<TDXFCircle> owned(circle);
    TBlockContents* target = Target();
    TAffine2D plane;
    if (target && EntityPlane(getExtrusion()->getElevation(), LayerName(circle->Layer), &plane))
        target->items.emplace_back(TPlaced<std::unique_ptr<TDXFCircle>>{std::move(owned), plane});
}

void TAccurateCollector::addPolyline(const DL_PolylineData& data) {
    Test_CreationClass::addPolyline(data); // flushes the previous polyline first
    pending_ = PolylineSetting();
    pending_.paper = Target() == nullptr;
    pending_.mesh = (data.flags & (kPolygonMesh | kPolyfaceMesh)) != 0;
    if (!(data.flags & kPolyline3d)) {
        const double* n = getExtrusion()->getDirection();
        pending_.planar =
            ObjectToWorld(n[0], n[1], n[2], getExtrusion()->getElevation(), &pending_.plane);
    }
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
    if (!pending_.planar) {
        report_.Warn("edgeOnPlane", layer);
        return;
    }
    TBlockContents* target = openBlock_ ? openBlock_ : &model_.modelSpace;
    target->items.emplace_back(TPlaced<TOwnedPolyline>{std::move(owned), pending_.plane});
}

void TAccurateCollector::KeepInsert(const DL_InsertData& data, const std::string& layer) {
    TBlockContents* target = Target();
    TAffine2D plane;
    if (!target || !EntityPlane(data.ipz, layer, &plane))
        return;
    TInsertItem insert(data.name, layer, data.rows, data.cols, data.rowSp, data.colSp);
    // The spacing is along the rotated axes and not scaled.
    insert.scale = TAffine2D::Scaling(data.sx, data.sy);
    insert.place = TAffine2D::Rotation(data.angle)
                       .Then(TAffine2D::Translation(data.ipx, data.ipy))
                       .Then(plane);
    target->items.emplace_back(std::move(insert));
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
    ellipse.layer = getAttributes().getLayer();
    curveLayers_.push_back(ellipse.layer);
    target->items.emplace_back(std::move(ellipse));
}

void TAccurateCollector::addSpline(const DL_SplineData& data) {
    Flush();
    splineBlock_ = Target();
    if (!splineBlock_)
        return;
    TSplineItem spline;
    spline.layer = getAttributes().getLayer();
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
    splineBlock_->items.emplace_back(std::move(spline));
    splineItem_ = splineBlock_->items.size() - 1;
}

TSplineCurve* TAccurateCollector::OpenSpline() {
    if (!splineBlock_ || splineItem_ >= splineBlock_->items.size())
        return nullptr;
    auto* spline = std::get_if<TSplineItem>(&splineBlock_->items[splineItem_]);
    return spline ? &spline->curve : nullptr;
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
