// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "collect/collector.h"
#include "collect/edge_on_view.h"
#include "model/block_model.h"

#include "quillform/diagnostics.h"

#include <optional>

namespace quillform::detail {

// The collector of the accurate geometry rules. Events are raised exactly as
// the reader's own collector raises them; what is kept differs: each entity
// keeps the map from its object coordinate system, paper space is left out,
// ellipses and splines are kept too, and block definitions (with their
// nested inserts) and model-space inserts are kept in file order, in the
// block model it is given, for expansion once the whole file has been read.
class TAccurateCollector : public Test_CreationClass {
public:
    TAccurateCollector(const quillform::EntityEvents& events, quillform::Diagnostics& report,
                       TExpansionBudget& budget, TDrawingModel& model);

    void addBlock(const DL_BlockData& data) override;
    void endBlock() override;
    void addPolyline(const DL_PolylineData& data) override;
    void addEllipse(const DL_EllipseData& data) override;
    void addSpline(const DL_SplineData& data) override;
    void addControlPoint(const DL_ControlPointData& data) override;
    void addKnot(const DL_KnotData& data) override;
    void addFitPoint(const DL_FitPointData& data) override;

    // Flushes the last polyline into its block or model space, and
    // registers the layers of ellipses and splines.
    void FinishCollecting() override;

protected:
    void KeepSegment(TDXFSegment* segment) override;
    void KeepArc(TDXFArc* arc) override;
    void KeepCircle(TDXFCircle* circle) override;
    void KeepPolyline(TDXFPolygon* polyline) override;
    void KeepInsert(const DL_InsertData& data, const std::string& layer) override;
    bool VertexDrawn() override;

private:
    // Where the entity being read lands: the open block or model space; null
    // when it is left out (paper space).
    TBlockContents* Target();
    // The map from the entity's object coordinate system at the given
    // elevation; false when its plane is seen edge-on.
    bool EntityPlane(double elevation, TAffine2D* map);
    // An entity in a vertical plane: kept as the line a plan view shows
    // (the span of object x it covers), or left out when that is a point.
    void KeepEdgeOn(const std::optional<TEdgeOnView>& view, const TXSpan& span, const char* layer,
                    TBlockContents& target);
    std::optional<TEdgeOnView> EntityView(double elevation);
    TSplineCurve* OpenSpline();

    quillform::Diagnostics& report_;
    TDrawingModel& model_;
    TBlockContents* openBlock_ = nullptr;
    bool openBlockIsPaper_ = false;
    // The pending polyline's plane and space, taken when its header is read.
    struct PolylineSetting {
        TAffine2D plane;
        bool planar = true;
        std::optional<TEdgeOnView> edgeOn; // when not planar
        bool paper = false;
        bool mesh = false;
        bool splineFit = false; // its frame vertices are not drawn
    } pending_;
    // The spline whose control points, knots and fit points are arriving.
    TBlockContents* splineBlock_ = nullptr;
    size_t splineItem_ = 0;
    std::vector<std::string> curveLayers_;
};

} // namespace quillform::detail
