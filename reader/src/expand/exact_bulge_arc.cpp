// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/exact_bulge_arc.h"

#include "model/geometry.h"

#include <cmath>

namespace quillform::detail {

TDXFArc* ExactBulgeArc(const dxf_info& from, const dxf_info& to) {
    const double dx = to.x - from.x, dy = to.y - from.y;
    const double chord = std::hypot(dx, dy);
    if (!(chord > 0) || !(from.bulge != 0) || !std::isfinite(from.bulge))
        return nullptr;
    const double theta = 4 * std::atan(from.bulge); // signed included angle
    const double radius = std::fabs(chord / 2 / std::sin(theta / 2));
    // The centre lies left of the chord for a counter-clockwise arc.
    const double toCentre = std::atan2(dy, dx) + (theta > 0 ? kHalfPi : -kHalfPi) - theta / 2;
    auto* arc = new TDXFArc();
    arc->StartX = from.x;
    arc->StartY = from.y;
    arc->EndX = to.x;
    arc->EndY = to.y;
    arc->Radius = radius;
    arc->CenterX = from.x + radius * std::cos(toCentre);
    arc->CenterY = from.y + radius * std::sin(toCentre);
    arc->Clockwise = theta < 0 ? 1 : 0;
    const double degrees = 180 / kPi;
    arc->StartAngle =
        NormalizedAngle(std::atan2(from.y - arc->CenterY, from.x - arc->CenterX) * degrees);
    arc->EndAngle = NormalizedAngle(std::atan2(to.y - arc->CenterY, to.x - arc->CenterX) * degrees);
    arc->Sweep = std::fabs(theta) * degrees;
    if (!std::isfinite(arc->CenterX) || !std::isfinite(arc->CenterY)) {
        delete arc;
        return nullptr;
    }
    return arc;
}

} // namespace quillform::detail
