// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/outline_measures.h"

#include "model/geometry_constants.h"
#include "quillform/names.h"
#include "quillform/number_format.h"

#include <cmath>

namespace quillform {
namespace {
using detail::kPi;

// The signed angle an arc edge turns through from `from` to `to`, in
// radians; an edge back to its own start is the whole circle.
double Sweep(const Vertex& from, const Vertex& to) {
    const ArcEdge& arc = *from.arc;
    const double a = std::atan2(from.y - arc.center.y, from.x - arc.center.x);
    const double b = std::atan2(to.y - arc.center.y, to.x - arc.center.x);
    double sweep = std::fmod(b - a + 4 * kPi, 2 * kPi);
    if (sweep == 0)
        sweep = 2 * kPi;
    return arc.clockwise ? sweep - 2 * kPi : sweep;
}

// Twice the area swept by x dy - y dx along the edge (Green's theorem).
double TwiceArea(const Vertex& from, const Vertex& to) {
    if (!from.arc)
        return from.x * to.y - to.x * from.y;
    const double cx = from.arc->center.x, cy = from.arc->center.y;
    const double r = std::hypot(from.x - cx, from.y - cy);
    const double a = std::atan2(from.y - cy, from.x - cx), s = Sweep(from, to), b = a + s;
    return cx * r * (std::sin(b) - std::sin(a)) - cy * r * (std::cos(b) - std::cos(a)) + r * r * s;
}

std::string N(double value) {
    return quillform::ToUtf8(quillform::FormatNumber(value));
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

double EnclosedArea(const Outline& outline) {
    if (outline.kind == OutlineKind::Circle)
        return kPi * outline.circle.radius * outline.circle.radius;
    const size_t n = outline.vertices.size();
    double twice = 0;
    for (size_t k = 0; k < n; ++k)
        twice += TwiceArea(outline.vertices[k], outline.vertices[(k + 1) % n]);
    return std::fabs(twice) / 2;
}

double MaterialArea(const Shape& shape) {
    double area = EnclosedArea(shape);
    for (const Outline& hole : shape.holes)
        area -= EnclosedArea(hole);
    return area;
}

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
        const double r = std::hypot(from.x - from.arc->center.x, from.y - from.arc->center.y);
        if (std::fabs(sweep) >= 2 * kPi) { // a whole circle: two halves
            const double mx = 2 * from.arc->center.x - from.x, my = 2 * from.arc->center.y - from.y;
            path += ArcCommand(r, false, sweep > 0, mx, my);
        }
        path += ArcCommand(r, std::fabs(sweep) > kPi && std::fabs(sweep) < 2 * kPi, sweep > 0, to.x,
                           to.y);
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
