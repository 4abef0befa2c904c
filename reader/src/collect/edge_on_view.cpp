// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collect/edge_on_view.h"

#include "model/geometry_constants.h"

#include <algorithm>

namespace quillform::detail {

namespace {
// A direction whose z is this small is horizontal: its plane is vertical
// (the same bound under which the plane's map is refused).
constexpr double kHorizontal = 1e-9;
// Spans shorter than this share of where they lie are a point.
constexpr double kShortestSpan = 1e-9;

// Whether the angle lies on the arc leaving `start` through `sweep`
// (radians; negative: clockwise).
bool OnArc(double angle, double start, double sweep) {
    const double turn = sweep >= 0 ? angle - start : start - angle;
    return std::remainder(turn - kPi, 2 * kPi) + kPi <= std::fabs(sweep);
}

// The arc's ends are added by the caller; here the circle's leftmost and
// rightmost points, where the arc passes them.
void AddArcExtremes(TXSpan& span, double cx, double radius, double start, double sweep) {
    if (OnArc(0, start, sweep))
        span.Add(cx + radius);
    if (OnArc(kPi, start, sweep))
        span.Add(cx - radius);
}

// A bulged polyline edge from (x0, y0) to (x1, y1).
void AddBulgedEdge(TXSpan& span, const dxf_info& from, const dxf_info& to) {
    const double b = from.bulge;
    const double dx = to.x - from.x, dy = to.y - from.y;
    if (b == 0 || !std::isfinite(b) || (dx == 0 && dy == 0))
        return;
    // The centre lies off the chord's middle by (1 - b^2) / 4b of the chord,
    // turned a quarter to the left.
    const double k = (1 - b * b) / (4 * b);
    const double cx = (from.x + to.x) / 2 - k * dy, cy = (from.y + to.y) / 2 + k * dx;
    const double radius = std::hypot(from.x - cx, from.y - cy);
    AddArcExtremes(span, cx, radius, std::atan2(from.y - cy, from.x - cx), 4 * std::atan(b));
}
} // namespace

std::optional<TEdgeOnView> EdgeOnView(double nx, double ny, double nz, double elevation) {
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!(length > 0) || !std::isfinite(length) || std::fabs(nz / length) > kHorizontal)
        return std::nullopt;
    nx /= length;
    ny /= length;
    // The arbitrary-axis rule: object x is the world's z crossed with the
    // extrusion, horizontal; object y is straight up.
    const double across = std::hypot(nx, ny);
    TEdgeOnView view;
    view.direction = TPoint2D(-ny / across, nx / across);
    view.origin = TPoint2D(elevation * nx, elevation * ny);
    return view;
}

TXSpan ArcSpan(const TDXFArc& arc) {
    TXSpan span;
    span.Add(arc.StartX);
    span.Add(arc.EndX);
    AddArcExtremes(span, arc.CenterX, arc.Radius, arc.StartAngle * kPi / 180,
                   arc.Sweep * kPi / 180);
    return span;
}

TXSpan CircleSpan(const TDXFCircle& circle) {
    TXSpan span;
    span.Add(circle.Center.X - circle.Radius);
    span.Add(circle.Center.X + circle.Radius);
    return span;
}

TXSpan PolylineSpan(const TDXFPolygon& polyline) {
    TXSpan span;
    const TListaNode* head = polyline.Head;
    if (!head || !head->Next)
        return span;
    const bool closed = (*static_cast<const int32_t*>(head->Item) & 1) != 0;
    const auto* first = static_cast<const dxf_info*>(head->Next->Item);
    for (const TListaNode* n = head->Next; n; n = n->Next) {
        const auto* vertex = static_cast<const dxf_info*>(n->Item);
        span.Add(vertex->x);
        if (n->Next)
            AddBulgedEdge(span, *vertex, *static_cast<const dxf_info*>(n->Next->Item));
        else if (closed)
            AddBulgedEdge(span, *vertex, *first);
    }
    return span;
}

TDXFSegment* ShownSegment(const TEdgeOnView& view, const TXSpan& span) {
    const double where = std::max({1.0, std::fabs(span.lo), std::fabs(span.hi)});
    if (!(span.hi - span.lo > kShortestSpan * where) || !std::isfinite(span.hi - span.lo))
        return nullptr;
    auto* segment = new TDXFSegment();
    segment->X1 = view.origin.X + span.lo * view.direction.X;
    segment->Y1 = view.origin.Y + span.lo * view.direction.Y;
    segment->X2 = view.origin.X + span.hi * view.direction.X;
    segment->Y2 = view.origin.Y + span.hi * view.direction.Y;
    return segment;
}

} // namespace quillform::detail
