// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "measure/arc_edge.h"

#include "quillform/geometry_constants.h"

#include <cmath>

namespace quillform::detail {
namespace {
Point ArcEnd(const Vertex& from, double radius, double start, double sweep) {
    return {from.arc->center.x + radius * std::cos(start + sweep),
            from.arc->center.y + radius * std::sin(start + sweep)};
}
} // namespace

Point ArcEnd(const Vertex& from, const Vertex& to) {
    return ArcEnd(from, EdgeRadius(from), StartAngle(from), Sweep(from, to));
}

double Sweep(const Vertex& from, const Vertex& to) {
    const ArcEdge& arc = *from.arc;
    const double a = StartAngle(from);
    const double b = std::atan2(to.y - arc.center.y, to.x - arc.center.x);
    const double sweep = std::fmod(b - a + 4 * kPi, 2 * kPi);
    if (sweep == 0) // back to its start: the whole circle, either way round
        return arc.clockwise ? -2 * kPi : 2 * kPi;
    return arc.clockwise ? sweep - 2 * kPi : sweep;
}

double StartAngle(const Vertex& from) {
    return std::atan2(from.y - from.arc->center.y, from.x - from.arc->center.x);
}

double EdgeRadius(const Vertex& from) {
    return std::hypot(from.x - from.arc->center.x, from.y - from.arc->center.y);
}

double EdgeLength(const Vertex& from, const Vertex& to) {
    if (!from.arc)
        return std::hypot(to.x - from.x, to.y - from.y);
    const double r = EdgeRadius(from), sweep = Sweep(from, to);
    const Point end = ArcEnd(from, r, StartAngle(from), sweep);
    return r * std::fabs(sweep) + std::hypot(to.x - end.x, to.y - end.y);
}

double TwiceArcArea(Point center, double radius, double start, double sweep) {
    const double end = start + sweep;
    return center.x * radius * (std::sin(end) - std::sin(start)) -
           center.y * radius * (std::cos(end) - std::cos(start)) + radius * radius * sweep;
}

double TwiceArea(const Vertex& from, const Vertex& to, Point origin) {
    const auto cross = [origin](Point a, Point b) {
        return (a.x - origin.x) * (b.y - origin.y) - (b.x - origin.x) * (a.y - origin.y);
    };
    if (!from.arc)
        return cross({from.x, from.y}, {to.x, to.y});
    const Point c{from.arc->center.x - origin.x, from.arc->center.y - origin.y};
    const double r = EdgeRadius(from), start = StartAngle(from), sweep = Sweep(from, to);
    return TwiceArcArea(c, r, start, sweep) + cross(ArcEnd(from, r, start, sweep), {to.x, to.y});
}

} // namespace quillform::detail
