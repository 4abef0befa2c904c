// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/drawing_extent.h"

#include <algorithm>
#include <cmath>

namespace quillform::detail {

namespace {
const dxf_info& VertexAt(const TListaNode* node) {
    return *static_cast<const dxf_info*>(node->Item);
}
} // namespace

double DrawingSize(const quillform::detail::TEntityLists& lists) {
    double minX = HUGE_VAL, minY = HUGE_VAL, maxX = -HUGE_VAL, maxY = -HUGE_VAL;
    const auto take = [&](double x, double y, double r) {
        if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(r))
            return;
        minX = std::min(minX, x - r);
        maxX = std::max(maxX, x + r);
        minY = std::min(minY, y - r);
        maxY = std::max(maxY, y + r);
    };
    for (const TListaNode* n = lists.Segments.Head; n; n = n->Next) {
        const auto* s = static_cast<const TDXFSegment*>(n->Item);
        take(s->X1, s->Y1, 0);
        take(s->X2, s->Y2, 0);
    }
    for (const TListaNode* n = lists.Arcs.Head; n; n = n->Next) {
        const auto* a = static_cast<const TDXFArc*>(n->Item);
        take(a->CenterX, a->CenterY, std::fabs(a->Radius));
    }
    for (const TListaNode* n = lists.Circles.Head; n; n = n->Next) {
        const auto* c = static_cast<const TDXFCircle*>(n->Item);
        take(c->Center.X, c->Center.Y, std::fabs(c->Radius));
    }
    for (const TListaNode* n = lists.Polylines.Head; n; n = n->Next) {
        const auto* polyline = static_cast<const TDXFPolygon*>(n->Item);
        for (const TListaNode* v = polyline->Head ? polyline->Head->Next : nullptr; v; v = v->Next)
            take(VertexAt(v).x, VertexAt(v).y, 0);
    }
    return maxX >= minX ? std::max(maxX - minX, maxY - minY) : 0;
}

} // namespace quillform::detail
