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
} // namespace

void RemoveDegenerateOutlines(TLista* contours, double tolerance, quillform::Diagnostics& report) {
    for (TListaNode* node = contours->Head; node;) {
        auto* contour = static_cast<TDXFPolygon*>(node->Item);
        if (contour->Count > 0 && (HasArc(*contour) || !OnOneLine(*contour, tolerance))) {
            node = node->Next;
            continue;
        }
        report.Warn("degenerateOutlines", contour->Layer ? contour->Layer.get() : "");
        DestroyPolygon(contour);
        node = contours->Remove(node);
    }
}

} // namespace quillform::detail
