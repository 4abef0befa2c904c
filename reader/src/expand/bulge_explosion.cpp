// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Turns polylines with bulged edges into plain segments and arcs.
#include "expand/bulge_explosion.h"

#include "model/geometry.h"

#include <cmath>
#include <memory>
#include <utility>

namespace quillform::detail {

namespace {
bool HasBulges(const TDXFPolygon& polyline, double t) {
    for (const TListaNode* n = polyline.Head->Next; n; n = n->Next)
        if (!ToleranceEqual(static_cast<const dxf_info*>(n->Item)->bulge, 0, t))
            return true;
    return false;
}

TDXFSegment* StraightEdge(const dxf_info& from, const dxf_info& to, double t) {
    if (ToleranceEqual(from.x, to.x, t) && ToleranceEqual(from.y, to.y, t))
        return nullptr; // zero length, as when the last vertex repeats the first
    auto* segment = new TDXFSegment();
    segment->X1 = from.x;
    segment->Y1 = from.y;
    segment->X2 = to.x;
    segment->Y2 = to.y;
    return segment;
}
} // namespace

// The arc of a bulged edge: included angle 4 atan(bulge), centre on the side
// the bulge's sign gives, clockwise for a negative bulge.
TDXFArc* BulgedEdge(const dxf_info& from, const dxf_info& to, double t) {
    const TPoint2D start(from.x, from.y), end(to.x, to.y);
    // Coinciding ends give no circle at all; the edge is dropped. Any other
    // chord, however short, makes an arc.
    if (start.X == end.X && start.Y == end.Y)
        return nullptr;
    const double dx = end.X - start.X, dy = end.Y - start.Y;
    const double chord = std::sqrt(dx * dx + dy * dy);
    const double theta = 4 * std::atan(from.bulge);
    const double radius = std::fabs((chord * 0.5) / std::sin(theta * 0.5));
    const double direction = AngleOfPoint(end, start, chord, t) * kPi / 180;
    const int side = ToleranceCompare(from.bulge, 0, t);
    const double toCentre =
        side == 1 ? direction + kHalfPi - theta * 0.5 : direction - kHalfPi - theta * 0.5;
    auto* arc = new TDXFArc();
    arc->StartX = start.X;
    arc->StartY = start.Y;
    arc->EndX = end.X;
    arc->EndY = end.Y;
    arc->Radius = radius;
    arc->CenterX = start.X + radius * std::cos(toCentre);
    arc->CenterY = start.Y + radius * std::sin(toCentre);
    arc->Clockwise = side == -1 ? 1 : 0;
    arc->UpdateAngles(t);
    if (!std::isfinite(arc->CenterX) || !std::isfinite(arc->CenterY)) {
        delete arc; // a bulge that is no number describes no arc
        return nullptr;
    }
    return arc;
}

void ExplodeBulgedPolylines(quillform::detail::TEntityLists& lists, double tolerance) {
    for (TListaNode* node = lists.Polylines.Head; node;) {
        auto* polyline = static_cast<TDXFPolygon*>(node->Item);
        if (!HasBulges(*polyline, tolerance)) {
            node = node->Next;
            continue;
        }
        // n vertices give n edges, the last back to the first whatever the closed flag says.
        for (const TListaNode* v = polyline->Head->Next; v; v = v->Next) {
            const auto& from = *static_cast<const dxf_info*>(v->Item);
            const dxf_info& to = *polyline->NextVertex(v);
            if (ToleranceEqual(from.bulge, 0, tolerance)) {
                // Held until its list holds it: freed if memory runs out first.
                if (std::unique_ptr<TDXFSegment> segment{StraightEdge(from, to, tolerance)}) {
                    segment->Layer = quillform::CopyName(polyline->Layer.get());
                    AddOwned(lists.Segments, std::move(segment));
                }
            } else if (std::unique_ptr<TDXFArc> arc{BulgedEdge(from, to, tolerance)}) {
                arc->Layer = quillform::CopyName(polyline->Layer.get());
                AddOwned(lists.Arcs, std::move(arc));
            }
        }
        DestroyPolygon(polyline);
        node = lists.Polylines.Remove(node);
    }
}

} // namespace quillform::detail
