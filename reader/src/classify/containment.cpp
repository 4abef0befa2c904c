// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Containment tests between contours and circles, and hole collection, as
// the literal scans: nothing is cached, each contour-in-contour test
// rebuilds the container's split outline.
#include "classify/containment.h"
#include "classify/layer_rule.h"

#include <cmath>

namespace quillform::detail {
namespace {
constexpr double kTol = kClassificationTolerance;

const dxf_info& VertexOf(const TListaNode* node) {
    return *static_cast<const dxf_info*>(node->Item);
}

double DistanceTo(const TPoint2D& centre, double x, double y) {
    return std::sqrt((x - centre.X) * (x - centre.X) + (y - centre.Y) * (y - centre.Y));
}

bool SameLayer(const char* a, const char* b) {
    return SameClassificationGroup(a, b);
}

const char* LayerOf(const TListaNode* node, bool contour) {
    return contour ? static_cast<const TDXFPolygon*>(node->Item)->Layer.get()
                   : static_cast<const TDXFCircle*>(node->Item)->Layer.get();
}

// Unlinks a node into a hole list, keeping the caller's walk position valid.
TListaNode* MoveToHoles(TLista* from, TListaNode* node, TLista* holes, TListaNode** position,
                        bool adjustPosition) {
    holes->Add(node->Item);
    TListaNode* next = from->Remove(node);
    if (adjustPosition && *position == node)
        *position = next;
    return next;
}
} // namespace

bool VerticesWithinCircle(const TDXFPolygon& contour, const TDXFCircle& circle) {
    for (const TListaNode* node = contour.Head; node; node = node->Next)
        if (!(DistanceTo(circle.Center, VertexOf(node).x, VertexOf(node).y) <=
              circle.Radius + kTol))
            return false;
    return true;
}

bool CircleInsideOutline(const TDXFCircle& circle, const TDXFPolygon& contour,
                         const TSplitOutline& outline) {
    for (const TListaNode* node = contour.Head; node; node = node->Next)
        if (!(DistanceTo(circle.Center, VertexOf(node).x, VertexOf(node).y) >=
              circle.Radius + kTol))
            return false;
    return PointInOutline(outline, circle.Center.X, circle.Center.Y);
}

bool CircleInsideCircle(const TDXFCircle& inner, const TDXFCircle& outer) {
    return DistanceTo(outer.Center, inner.Center.X, inner.Center.Y) < outer.Radius - inner.Radius;
}

bool CircleHoleOfCircle(const TDXFCircle& outer, const TDXFCircle& candidate) {
    return DistanceTo(outer.Center, candidate.Center.X, candidate.Center.Y) <
           std::fabs(outer.Radius - candidate.Radius);
}

} // namespace quillform::detail

using namespace quillform::detail;

bool TDXFPolygon::IsInsideCircle(const TDXFCircle* circle) const {
    return VerticesWithinCircle(*this, *circle);
}

bool TDXFCircle::IsInsideContour(const TDXFPolygon* contour) const {
    return CircleInsideOutline(*this, *contour, TSplitOutline(*contour));
}

bool TDXFPolygon::IsInsideOtherContour(const TListaNode* ownNode, const TLista* contours) const {
    for (const TListaNode* node = contours->Head; node; node = node->Next) {
        const auto* other = static_cast<const TDXFPolygon*>(node->Item);
        if (node != ownNode && SameLayer(other->Layer.get(), Layer.get()) &&
            AllVerticesInOutline(TSplitOutline(*other), *this))
            return true;
    }
    return false;
}

bool TDXFPolygon::IsInsideAnyCircle(const TLista* circles) const {
    for (const TListaNode* node = circles->Head; node; node = node->Next) {
        const auto* circle = static_cast<const TDXFCircle*>(node->Item);
        if (SameLayer(circle->Layer.get(), Layer.get()) && IsInsideCircle(circle))
            return true;
    }
    return false;
}

bool TDXFPolygon::IsInsideAnyHole(const TLista* holeContours, const TLista* holeCircles) const {
    return IsInsideOtherContour(nullptr, holeContours) || IsInsideAnyCircle(holeCircles);
}

bool TDXFCircle::IsInsideOtherCircle(const TListaNode* ownNode, const TLista* circles) const {
    for (const TListaNode* node = circles->Head; node; node = node->Next) {
        const auto* other = static_cast<const TDXFCircle*>(node->Item);
        if (node != ownNode && SameLayer(other->Layer.get(), Layer.get()) &&
            CircleInsideCircle(*this, *other))
            return true;
    }
    return false;
}

bool TDXFCircle::IsInsideAnyContour(const TLista* contours) const {
    for (const TListaNode* node = contours->Head; node; node = node->Next) {
        const auto* contour = static_cast<const TDXFPolygon*>(node->Item);
        if (SameLayer(contour->Layer.get(), Layer.get()) && IsInsideContour(contour))
            return true;
    }
    return false;
}

bool TDXFCircle::IsInsideAnyHole(const TLista* holeContours, const TLista* holeCircles) const {
    return IsInsideAnyContour(holeContours) || IsInsideOtherCircle(nullptr, holeCircles);
}

void TDXFPolygon::CollectHoles(TLista* contours, TLista* circles, TListaNode** position,
                               TLista* holeContours, TLista* holeCircles) const {
    const TSplitOutline outline(*this);
    for (TListaNode* node = contours->Head; node;) {
        const auto* h = static_cast<const TDXFPolygon*>(node->Item);
        const bool hole =
            SameLayer(LayerOf(node, true), Layer.get()) && AllVerticesInOutline(outline, *h) &&
            !h->IsInsideOtherContour(node, contours) && !h->IsInsideAnyCircle(circles) &&
            !h->IsInsideAnyHole(holeContours, holeCircles);
        node = hole ? MoveToHoles(contours, node, holeContours, position, true) : node->Next;
    }
    for (TListaNode* node = circles->Head; node;) {
        const auto* k = static_cast<const TDXFCircle*>(node->Item);
        const bool hole = SameLayer(LayerOf(node, false), Layer.get()) &&
                          CircleInsideOutline(*k, *this, outline) &&
                          !k->IsInsideAnyContour(contours) &&
                          !k->IsInsideOtherCircle(node, circles) &&
                          !k->IsInsideAnyHole(holeContours, holeCircles);
        node = hole ? MoveToHoles(circles, node, holeCircles, position, false) : node->Next;
    }
}

void TDXFCircle::CollectHoles(TLista* contours, TLista* circles, TListaNode** position,
                              TLista* holeContours, TLista* holeCircles) const {
    for (TListaNode* node = contours->Head; node;) {
        const auto* h = static_cast<const TDXFPolygon*>(node->Item);
        const bool hole = SameLayer(LayerOf(node, true), Layer.get()) && h->IsInsideCircle(this) &&
                          !h->IsInsideOtherContour(node, contours) &&
                          !h->IsInsideAnyCircle(circles) &&
                          !h->IsInsideAnyHole(holeContours, holeCircles);
        node = hole ? MoveToHoles(contours, node, holeContours, position, false) : node->Next;
    }
    for (TListaNode* node = circles->Head; node;) {
        const auto* k = static_cast<const TDXFCircle*>(node->Item);
        const bool hole = SameLayer(LayerOf(node, false), Layer.get()) &&
                          CircleHoleOfCircle(*this, *k) && !k->IsInsideAnyContour(contours) &&
                          !k->IsInsideOtherCircle(node, circles) &&
                          !k->IsInsideAnyHole(holeContours, holeCircles);
        node = hole ? MoveToHoles(circles, node, holeCircles, position, true) : node->Next;
    }
}
