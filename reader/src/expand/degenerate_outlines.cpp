// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/degenerate_outlines.h"

#include "model/entity_store.h"

#include <cmath>
#include <vector>

namespace quillform::detail {

namespace {
bool HasArc(const TDXFPolygon& contour) {
    for (const TListaNode* n = contour.Head; n; n = n->Next)
        if (static_cast<const dxf_info*>(n->Item)->is_arc)
            return true;
    return false;
}

// Whether all vertices lie within the tolerance of the line through the two
// that are farthest apart along the axis of greatest spread.
bool OnOneLine(const TDXFPolygon& contour, double tolerance) {
    std::vector<TPoint2D> points;
    for (const TListaNode* n = contour.Head; n; n = n->Next) {
        const auto* v = static_cast<const dxf_info*>(n->Item);
        points.emplace_back(v->x, v->y);
    }
    if (points.size() < 3)
        return true;
    size_t far = 0;
    for (size_t k = 1; k < points.size(); ++k)
        if (std::hypot(points[k].X - points[0].X, points[k].Y - points[0].Y) >
            std::hypot(points[far].X - points[0].X, points[far].Y - points[0].Y))
            far = k;
    size_t other = 0;
    for (size_t k = 0; k < points.size(); ++k)
        if (std::hypot(points[k].X - points[far].X, points[k].Y - points[far].Y) >
            std::hypot(points[other].X - points[far].X, points[other].Y - points[far].Y))
            other = k;
    const TPoint2D a = points[far], b = points[other];
    const double length = std::hypot(b.X - a.X, b.Y - a.Y);
    if (!(length > 0))
        return true;
    for (const TPoint2D& p : points) {
        const double offLine =
            std::fabs((b.X - a.X) * (p.Y - a.Y) - (b.Y - a.Y) * (p.X - a.X)) / length;
        if (!(offLine <= tolerance))
            return false;
    }
    return true;
}
constexpr double kPi = 3.14159265358979323846;

const dxf_info& VertexAt(const TListaNode* node) {
    return *static_cast<const dxf_info*>(node->Item);
}

// The signed angle an arc edge turns through from its vertex to the next
// (counterclockwise positive), in (-2 pi, 2 pi]; a whole turn when they meet.
double SignedTurn(const dxf_info& arc, const dxf_info& next) {
    const double a = std::atan2(arc.y - arc.center_y, arc.x - arc.center_x);
    const double b = std::atan2(next.y - arc.center_y, next.x - arc.center_x);
    double turn = std::fmod((arc.clockwise ? a - b : b - a) + 4 * kPi, 2 * kPi);
    if (turn == 0)
        turn = 2 * kPi;
    return arc.clockwise ? -turn : turn;
}

// Arcs of one circle that run out and back along it: every edge an arc of
// the first one's circle, turning through no whole turn in all.
bool BackAndForthOnOneCircle(const TDXFPolygon& contour, double tolerance) {
    const dxf_info& first = VertexAt(contour.Head);
    double turn = 0;
    for (const TListaNode* n = contour.Head; n; n = n->Next) {
        const dxf_info& v = VertexAt(n);
        if (!v.is_arc || !(std::fabs(v.center_x - first.center_x) <= tolerance) ||
            !(std::fabs(v.center_y - first.center_y) <= tolerance) ||
            !(std::fabs(v.radius - first.radius) <= tolerance))
            return false;
        turn += SignedTurn(v, *contour.NextItem(n));
    }
    return std::fabs(turn) < kPi;
}

bool EnclosesNothing(const TDXFPolygon& contour, double tolerance) {
    if (contour.Count == 0)
        return true;
    if (HasArc(contour))
        return BackAndForthOnOneCircle(contour, tolerance);
    return OnOneLine(contour, tolerance);
}
} // namespace

void RemoveDegenerateOutlines(TLista* contours, double tolerance, quillform::Diagnostics& report) {
    for (TListaNode* node = contours->Head; node;) {
        auto* contour = static_cast<TDXFPolygon*>(node->Item);
        if (!EnclosesNothing(*contour, tolerance)) {
            node = node->Next;
            continue;
        }
        report.Warn("degenerateOutlines", contour->Layer ? contour->Layer.get() : "");
        DestroyPolygon(contour);
        node = contours->Remove(node);
    }
}

} // namespace quillform::detail
