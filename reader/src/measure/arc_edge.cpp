// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "measure/arc_edge.h"

#include "model/geometry_constants.h"

#include <cmath>

namespace quillform::detail {
namespace {
double Cross(Point a, Point b, Point origin) {
    return (a.x - origin.x) * (b.y - origin.y) - (b.x - origin.x) * (a.y - origin.y);
}

// Adds the edge from `from` to `to`.
void AddEdge(const Vertex& from, const Vertex& to, Point origin, OutlineSums& sums) {
    if (!from.arc) {
        sums.length += std::hypot(to.x - from.x, to.y - from.y);
        sums.twiceArea += Cross({from.x, from.y}, {to.x, to.y}, origin);
        return;
    }
    const EdgeArc arc = ArcOf(from, to);
    const Point c{arc.center.x - origin.x, arc.center.y - origin.y};
    sums.length +=
        arc.radius * std::fabs(arc.sweep) + std::hypot(to.x - arc.end.x, to.y - arc.end.y);
    sums.twiceArea +=
        TwiceArcArea(c, arc.radius, arc.start, arc.sweep) + Cross(arc.end, {to.x, to.y}, origin);
}

double SignedSweep(double start, const Vertex& to, const ArcEdge& arc) {
    const double end = std::atan2(to.y - arc.center.y, to.x - arc.center.x);
    const double sweep = std::fmod(end - start + 4 * kPi, 2 * kPi);
    if (sweep == 0) // back to its start: the whole circle, either way round
        return arc.clockwise ? -2 * kPi : 2 * kPi;
    return arc.clockwise ? sweep - 2 * kPi : sweep;
}

double StartAngle(const Vertex& from) {
    return std::atan2(from.y - from.arc->center.y, from.x - from.arc->center.x);
}
} // namespace

double Sweep(const Vertex& from, const Vertex& to) {
    return SignedSweep(StartAngle(from), to, *from.arc);
}

double EdgeRadius(const Vertex& from) {
    return std::hypot(from.x - from.arc->center.x, from.y - from.arc->center.y);
}

EdgeArc ArcOf(const Vertex& from, const Vertex& to) {
    EdgeArc arc;
    arc.center = from.arc->center;
    arc.radius = EdgeRadius(from);
    arc.start = StartAngle(from);
    arc.sweep = SignedSweep(arc.start, to, *from.arc);
    arc.end = {arc.center.x + arc.radius * std::cos(arc.start + arc.sweep),
               arc.center.y + arc.radius * std::sin(arc.start + arc.sweep)};
    return arc;
}

OutlineSums SumEdges(const Outline& outline) {
    OutlineSums sums;
    const auto& v = outline.vertices;
    if (v.empty())
        return sums;
    const Point origin{v[0].x, v[0].y};
    for (size_t k = 0; k < v.size(); ++k)
        AddEdge(v[k], v[(k + 1) % v.size()], origin, sums);
    return sums;
}

double TwiceArcArea(Point center, double radius, double start, double sweep) {
    const double end = start + sweep;
    return center.x * radius * (std::sin(end) - std::sin(start)) -
           center.y * radius * (std::cos(end) - std::cos(start)) + radius * radius * sweep;
}

} // namespace quillform::detail
