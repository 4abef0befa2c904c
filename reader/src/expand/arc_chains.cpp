// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/arc_chains.h"

#include "expand/exact_bulge_arc.h"

#include "model/geometry.h"

#include <memory>

namespace quillform::detail {

namespace {
dxf_info& VertexOf(TListaNode* node) {
    return *static_cast<dxf_info*>(node->Item);
}

bool SamePlace(const dxf_info& a, const dxf_info& b, double t) {
    return ToleranceEqual(a.x, b.x, t) && ToleranceEqual(a.y, b.y, t);
}

bool IsClosed(const TDXFPolygon& polyline) {
    return (*static_cast<const int32_t*>(polyline.Head->Item) & 1) != 0;
}

// Drops each vertex that repeats the one before it; for a closed polyline
// also a last vertex that repeats the first. The edge that left the dropped
// vertex leaves the one kept in its place.
void DropRepeatedVertices(TDXFPolygon& polyline, double t) {
    for (TListaNode* node = polyline.Head->Next; node && node->Next;) {
        TListaNode* next = node->Next;
        if (!SamePlace(VertexOf(node), VertexOf(next), t)) {
            node = next;
            continue;
        }
        VertexOf(node).bulge = VertexOf(next).bulge;
        FreePlainItem(next->Item);
        polyline.Remove(next);
    }
    const bool severalVertices = polyline.Count > 2;
    if (IsClosed(polyline) && severalVertices &&
        SamePlace(VertexOf(polyline.Tail), VertexOf(polyline.Head->Next), t)) {
        FreePlainItem(polyline.Tail->Item);
        polyline.Remove(polyline.Tail);
    }
}

void DescribeEdge(dxf_info& from, const dxf_info& to, double t) {
    from.is_arc = 0;
    if (ToleranceEqual(from.bulge, 0, t))
        return;
    const std::unique_ptr<TDXFArc> arc(ExactBulgeArc(from, to));
    if (!arc)
        return; // no circle through the edge: it stays straight
    from.is_arc = 1;
    from.center_x = arc->CenterX;
    from.center_y = arc->CenterY;
    from.radius = arc->Radius;
    from.start_angle = arc->StartAngle;
    from.end_angle = arc->EndAngle;
    from.sweep = arc->Sweep;
    from.clockwise = arc->Clockwise;
}
} // namespace

void KeepBulgesAsArcs(TLista* polylines, double tolerance) {
    for (TListaNode* node = polylines->Head; node; node = node->Next) {
        auto& polyline = *static_cast<TDXFPolygon*>(node->Item);
        if (polyline.Count < 2)
            continue;
        DropRepeatedVertices(polyline, tolerance);
        const bool closed = IsClosed(polyline);
        for (TListaNode* v = polyline.Head->Next; v; v = v->Next) {
            if (v->Next)
                DescribeEdge(VertexOf(v), VertexOf(v->Next), tolerance);
            else if (closed && polyline.Count > 2)
                DescribeEdge(VertexOf(v), VertexOf(polyline.Head->Next), tolerance);
            else
                VertexOf(v).is_arc = 0;
        }
    }
}

} // namespace quillform::detail
