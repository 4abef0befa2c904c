// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/curve_chains.h"

#include "expand/bulge_explosion.h"
#include "expand/curves/ellipse_arc.h"
#include "expand/curves/spline_fit.h"
#include "expand/curves/spline_interpolation.h"

#include "model/geometry.h"

#include <cmath>
#include <memory>

namespace quillform::detail {

namespace {
constexpr int32_t kClosedFlag = 1;

TAffineMap ToCurveMap(const TAffine2D& map) {
    TAffineMap m;
    m.xx = map.a;
    m.xy = map.b;
    m.yx = map.c;
    m.yy = map.d;
    m.offset = TPoint2D(map.e, map.f);
    return m;
}

// The bulge of an arc edge: tan of a quarter of its sweep, negative clockwise.
double BulgeOf(const TFittedEdge& edge) {
    if (!edge.isArc)
        return 0;
    const double bulge = std::tan(EdgeSweep(edge) / 4);
    return edge.clockwise ? -bulge : bulge;
}

TOwnedPolyline NewPolyline(bool closed, const char* layer) {
    TOwnedPolyline polyline(new TDXFPolygon());
    int32_t* flags = NewPlainItem<int32_t>();
    *flags = closed ? kClosedFlag : 0;
    polyline->AddPlain(flags);
    polyline->Layer = quillform::CopyName(layer);
    return polyline;
}

void AddVertex(TDXFPolygon* polyline, TPoint2D point, double bulge) {
    auto* vertex = NewPlainItem<dxf_info>();
    vertex->x = point.X;
    vertex->y = point.Y;
    vertex->bulge = bulge;
    polyline->AddPlain(vertex);
}

bool IsClosed(const TFittedChain& chain) {
    return chain.size() > 1 && chain.front().start.X == chain.back().end.X &&
           chain.front().start.Y == chain.back().end.Y;
}

// A vertex per edge start (and one for the last end unless closed).
TDXFPolygon* PolylineOf(const TFittedChain& chain, bool closed, const char* layer) {
    if (chain.empty())
        return nullptr;
    TOwnedPolyline polyline = NewPolyline(closed, layer);
    for (const TFittedEdge& edge : chain)
        AddVertex(polyline.get(), edge.start, BulgeOf(edge));
    if (!closed)
        AddVertex(polyline.get(), chain.back().end, 0);
    return polyline.release();
}

TFittedChain FittedEllipse(const TAffine2D& map, double startDegrees, double endDegrees,
                           bool clockwise, double tolerance, bool* overEdgeLimit) {
    return FitEllipse(EllipseFromMappedArc(TPoint2D(0, 0), 1, startDegrees, endDegrees, clockwise,
                                           ToCurveMap(map)),
                      tolerance, overEdgeLimit);
}

const dxf_info& VertexOf(const TListaNode* node) {
    return *static_cast<const dxf_info*>(node->Item);
}
} // namespace

TDXFPolygon* EllipseChain(const TAffine2D& map, double startDegrees, double endDegrees,
                          bool clockwise, double tolerance, const char* layer,
                          bool* overEdgeLimit) {
    const TFittedChain chain =
        FittedEllipse(map, startDegrees, endDegrees, clockwise, tolerance, overEdgeLimit);
    return PolylineOf(chain, IsClosed(chain), layer);
}

TDXFPolygon* SplineChain(const TSplineCurve& spline, const TAffine2D& map, double tolerance,
                         const char* layer, bool* overEdgeLimit) {
    // Fit points are interpolated in the spline's own coordinates; control
    // points then follow any affine map exactly.
    TSplineCurve placed = spline.controlPoints.empty() ? SplineFromFitPoints(spline) : spline;
    for (TPoint2D& p : placed.controlPoints)
        p = map.Apply(p);
    placed.fitPoints.clear();
    const TFittedChain chain = FitSpline(placed, tolerance, overEdgeLimit);
    return PolylineOf(chain, IsClosed(chain), layer);
}

namespace {
// The edge from `from` to `to` of a polyline under the map: a straight edge,
// or the fitted image of its bulge's arc. Empty for an edge of no length.
TFittedChain EdgeUnderMap(const dxf_info& from, const dxf_info& to, const TAffine2D& map,
                          double curveTolerance, double bulgeTolerance, bool* overEdgeLimit) {
    const TPoint2D a = map.Apply(TPoint2D(from.x, from.y)), b = map.Apply(TPoint2D(to.x, to.y));
    const std::unique_ptr<TDXFArc> arc(ToleranceEqual(from.bulge, 0, bulgeTolerance)
                                           ? nullptr
                                           : BulgedEdge(from, to, bulgeTolerance));
    if (!arc)
        return a.X == b.X && a.Y == b.Y ? TFittedChain() : TFittedChain{StraightEdge(a, b)};
    const TAffine2D circle = TAffine2D::Scaling(arc->Radius, arc->Radius)
                                 .Then(TAffine2D::Translation(arc->CenterX, arc->CenterY))
                                 .Then(map);
    return FittedEllipse(circle, arc->StartAngle, arc->EndAngle, arc->Clockwise, curveTolerance,
                         overEdgeLimit);
}
} // namespace

TDXFPolygon* BulgedPolylineChain(const TDXFPolygon& polyline, const TAffine2D& map,
                                 double curveTolerance, double bulgeTolerance, const char* layer,
                                 bool* overEdgeLimit) {
    const bool closed = (*static_cast<const int32_t*>(polyline.Head->Item) & kClosedFlag) != 0;
    TFittedChain chain;
    for (const TListaNode* v = polyline.Head->Next; v; v = v->Next) {
        const TListaNode* next = v->Next ? v->Next : (closed ? polyline.Head->Next : nullptr);
        if (!next || next == v)
            break;
        TFittedChain piece = EdgeUnderMap(VertexOf(v), VertexOf(next), map, curveTolerance,
                                          bulgeTolerance, overEdgeLimit);
        if (piece.empty())
            continue;
        if (!chain.empty())
            piece.front().start = chain.back().end; // one joint, bitwise
        chain.insert(chain.end(), piece.begin(), piece.end());
    }
    if (closed && chain.size() > 1)
        chain.back().end = chain.front().start;
    return PolylineOf(chain, closed, layer);
}

} // namespace quillform::detail
