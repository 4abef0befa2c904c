// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "link/moved_arc_ends.h"

#include "link/contour_building.h"

#include <algorithm>
#include <cmath>

namespace quillform::detail {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kRadiansPerDegree = kPi / 180;

TPoint2D OnCircle(const dxf_info& arc, double degrees) {
    const double a = degrees * kRadiansPerDegree;
    return TPoint2D(arc.center_x + arc.radius * std::cos(a),
                    arc.center_y + arc.radius * std::sin(a));
}

// The angle the edge turns through from `from` to `to` around the arc's
// centre in its direction, in (0, 2 pi]; a whole turn when they coincide.
double Turn(const dxf_info& arc, TPoint2D from, TPoint2D to) {
    const double a = std::atan2(from.Y - arc.center_y, from.X - arc.center_x);
    const double b = std::atan2(to.Y - arc.center_y, to.X - arc.center_x);
    double turn = arc.clockwise ? a - b : b - a;
    while (turn <= 0)
        turn += 2 * kPi;
    while (turn > 2 * kPi)
        turn -= 2 * kPi;
    return from.X == to.X && from.Y == to.Y ? 2 * kPi : turn;
}

void KeepArcSide(dxf_info& arc, const dxf_info& next) {
    const TPoint2D from = PointOf(&arc), to = PointOf(&next);
    const double moved = std::max(EndDistance(OnCircle(arc, arc.start_angle), from),
                                  EndDistance(OnCircle(arc, arc.end_angle), to));
    const double sweep = arc.sweep * kRadiansPerDegree;
    const double length = arc.radius * sweep;
    if (!(moved > 0) || std::isnan(length) || std::isinf(length))
        return;
    if (length <= moved || std::fabs(Turn(arc, from, to) - sweep) > kPi)
        arc.is_arc = 0;
}

void KeepArcSides(TDXFPolygon& contour) {
    for (TListaNode* node = contour.Head; node; node = node->Next) {
        auto& vertex = *static_cast<dxf_info*>(node->Item);
        if (vertex.is_arc)
            KeepArcSide(vertex, *contour.NextItem(node));
    }
}
} // namespace

void KeepArcSidesAtMovedEnds(TLista* contours) {
    for (TListaNode* node = contours->Head; node; node = node->Next)
        KeepArcSides(*static_cast<TDXFPolygon*>(node->Item));
}

} // namespace quillform::detail
