// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/drawing.h"

#include "measure/arc_edge.h"

#include "model/geometry_constants.h"
#include "quillform/names.h"
#include "quillform/number_format.h"

#include <cmath>

namespace quillform {
namespace {
using detail::Sweep;

std::string N(double value) {
    return ToUtf8(FormatNumber(value));
}

std::string ArcCommand(double r, bool large, bool counterClockwise, double x, double y) {
    return " A " + N(r) + " " + N(r) + " 0 " + (large ? "1 " : "0 ") +
           (counterClockwise ? "1 " : "0 ") + N(x) + " " + N(y);
}

std::string CirclePath(const Circle& c) {
    const double x0 = c.center.x + c.radius, x1 = c.center.x - c.radius, y = c.center.y;
    return "M " + N(x0) + " " + N(y) + ArcCommand(c.radius, true, true, x1, y) +
           ArcCommand(c.radius, true, true, x0, y) + " Z";
}
} // namespace

std::string SvgPath(const Outline& outline) {
    if (outline.kind == OutlineKind::Circle)
        return CirclePath(outline.circle);
    const auto& v = outline.vertices;
    if (v.empty())
        return std::string();
    std::string path = "M " + N(v[0].x) + " " + N(v[0].y);
    for (size_t k = 0; k < v.size(); ++k) {
        const Vertex& from = v[k];
        const Vertex& to = v[(k + 1) % v.size()];
        if (!from.arc) {
            if (k + 1 < v.size())
                path += " L " + N(to.x) + " " + N(to.y);
            continue;
        }
        const double sweep = Sweep(from, to);
        const double r = detail::EdgeRadius(from);
        if (std::fabs(sweep) >= 2 * detail::kPi) { // a whole circle: two halves
            const double mx = 2 * from.arc->center.x - from.x, my = 2 * from.arc->center.y - from.y;
            path += ArcCommand(r, false, sweep > 0, mx, my);
        }
        path += ArcCommand(r, std::fabs(sweep) > detail::kPi && std::fabs(sweep) < 2 * detail::kPi,
                           sweep > 0, to.x, to.y);
    }
    return path + " Z";
}

std::string SvgPath(const Shape& shape) {
    std::string path = SvgPath(static_cast<const Outline&>(shape));
    for (const Outline& hole : shape.holes)
        path += " " + SvgPath(hole);
    return path;
}
} // namespace quillform
