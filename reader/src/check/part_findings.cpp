// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Findings about one part at a time: holes too small for the material,
// inside corners tighter than the cut, a part larger than the sheet.
#include "check/check_context.h"
#include "check/check_edges.h"

#include "measure/arc_edge.h"

#include "quillform/measures.h"

#include <algorithm>
#include <cmath>

namespace quillform::detail {

namespace {
// The hole's size: a circle's diameter, else the smaller side of its
// smallest rectangle.
double HoleSize(const Outline& hole) {
    if (hole.kind == OutlineKind::Circle)
        return 2 * hole.circle.radius;
    const Rectangle r = MeasureOutline(hole).minRectangle;
    return std::min(r.width, r.height);
}

void CheckHoles(const Layer& layer, size_t part, TCheckContext& c) {
    const double limit = c.options.minHole.value_or(c.options.thickness);
    if (limit <= 0)
        return;
    for (const Outline& hole : layer.shapes[part].holes) {
        const double size = HoleSize(hole);
        if (size >= limit)
            continue;
        c.Add("smallHole", Severity::Warning, layer.name, static_cast<int64_t>(part),
              Middle(hole.bounds),
              "a hole of " + Figure(size) + " is smaller than " + Figure(limit) +
                  " (the material's thickness, or --min-hole); enlarge it, or drill it after "
                  "cutting",
              size, limit);
    }
}

// Inside corners are those that bend around the material: on the outer
// outline arcs turning against its direction, on a hole arcs turning with it.
void CheckCorners(const Layer& layer, size_t part, const Outline& o, bool hole, TCheckContext& c) {
    const double limit = c.options.kerf / 2;
    if (limit <= 0 || o.kind == OutlineKind::Circle)
        return;
    const bool counterClockwise = SumEdges(o).twiceArea > 0;
    for (const TCheckEdge& e : EdgesOf(o)) {
        const bool inside = (e.sweep > 0) == (hole == counterClockwise);
        if (!e.arc || !inside || e.radius >= limit)
            continue;
        const double middle = e.start + e.sweep / 2;
        const Point at{e.center.x + e.radius * std::cos(middle),
                       e.center.y + e.radius * std::sin(middle)};
        c.Add("tightCorner", Severity::Info, layer.name, static_cast<int64_t>(part), at,
              "an inside corner of radius " + Figure(e.radius) +
                  " is tighter than half the kerf; the cut rounds it to " + Figure(limit),
              e.radius, limit);
    }
}

// Whether a p x q rectangle fits an a x b one in some rotation (p >= q,
// a >= b): upright, or tilted across a sheet it is too long for.
bool Fits(double p, double q, double a, double b) {
    if (p <= a && q <= b)
        return true;
    if (q > b || p <= a)
        return false;
    const double d2 = p * p + q * q;
    if (d2 < a * a)
        return false;
    const double need = (2 * p * q * a + (p * p - q * q) * std::sqrt(d2 - a * a)) / d2;
    return b >= need;
}

void CheckSheet(const Layer& layer, size_t part, TCheckContext& c) {
    const double a = std::max(c.options.sheetWidth, c.options.sheetHeight);
    const double b = std::min(c.options.sheetWidth, c.options.sheetHeight);
    if (b <= 0)
        return;
    const Shape& shape = layer.shapes[part];
    const Rectangle r = MeasureOutline(shape).minRectangle;
    const double p = std::max(r.width, r.height), q = std::min(r.width, r.height);
    if (Fits(p, q, a, b))
        return;
    c.Add("partLargerThanSheet", Severity::Error, layer.name, static_cast<int64_t>(part),
          Middle(shape.bounds),
          "part " + std::to_string(part) + " (" + Figure(p) + " x " + Figure(q) +
              ") does not fit the sheet (" + Figure(a) + " x " + Figure(b) +
              ") in any rotation; split it, or choose a larger sheet",
          p, a);
}
} // namespace

void CheckParts(const Layer& layer, TCheckContext& c) {
    for (size_t part = 0; part < layer.shapes.size(); ++part) {
        CheckHoles(layer, part, c);
        CheckCorners(layer, part, layer.shapes[part], false, c);
        for (const Outline& hole : layer.shapes[part].holes)
            CheckCorners(layer, part, hole, true, c);
        CheckSheet(layer, part, c);
    }
}

} // namespace quillform::detail
