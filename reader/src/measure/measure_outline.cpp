// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/measures.h"

#include "measure/arc_edge.h"
#include "measure/convex_hull.h"

#include "model/geometry_constants.h"

#include <cmath>

namespace quillform {
namespace {
bool Finite(double a, double b) {
    return std::isfinite(a) && std::isfinite(b);
}

bool Finite(const Vertex& v) {
    return Finite(v.x, v.y) &&
           (!v.arc || (Finite(v.arc->center.x, v.arc->center.y) && std::isfinite(v.arc->radius)));
}

bool Finite(const Outline& outline) {
    if (outline.kind == OutlineKind::Circle)
        return Finite(outline.circle.center.x, outline.circle.center.y) &&
               std::isfinite(outline.circle.radius);
    for (const Vertex& v : outline.vertices)
        if (!Finite(v))
            return false;
    return true;
}

// Figures can still overflow where coordinates are huge.
bool Finite(const OutlineMeasures& m) {
    return Finite(m.area, m.length) && Finite(m.box.minX, m.box.minY) &&
           Finite(m.box.maxX, m.box.maxY) && Finite(m.width, m.height) &&
           Finite(m.minRectangle.width, m.minRectangle.height) &&
           Finite(m.minRectangle.angle, m.hullArea);
}

std::optional<double> SmallestRadius(const Outline& outline) {
    if (outline.kind == OutlineKind::Circle)
        return std::fabs(outline.circle.radius);
    std::optional<double> smallest;
    for (const Vertex& v : outline.vertices)
        if (v.arc && (!smallest || std::fabs(v.arc->radius) < *smallest))
            smallest = std::fabs(v.arc->radius);
    return smallest;
}

std::optional<double> Smaller(std::optional<double> a, std::optional<double> b) {
    if (!a || !b)
        return a ? a : b;
    return std::fmin(*a, *b);
}

// A hole's size as a tool sees it: a circle's diameter, otherwise the
// narrower side of the smallest rectangle around it.
double HoleSize(const Outline& hole, const OutlineMeasures& m) {
    if (hole.kind == OutlineKind::Circle)
        return 2 * std::fabs(hole.circle.radius);
    return std::fmin(m.minRectangle.width, m.minRectangle.height);
}

// A circle's figures have a closed form.
OutlineMeasures CircleMeasures(const Circle& c) {
    const double r = std::fabs(c.radius);
    OutlineMeasures m;
    m.area = m.hullArea = detail::kPi * r * r;
    m.length = 2 * detail::kPi * r;
    m.box = {c.center.x - r, c.center.y - r, c.center.x + r, c.center.y + r};
    m.width = m.height = 2 * r;
    m.minRectangle = {2 * r, 2 * r, 0};
    m.smallestRadius = r;
    return m;
}

// Empty when the outline spans more than a double holds.
std::optional<OutlineMeasures> PolygonMeasures(const Outline& outline) {
    OutlineMeasures m;
    const detail::OutlineSums sums = detail::SumEdges(outline);
    m.area = std::fabs(sums.twiceArea) / 2; // as EnclosedArea
    m.length = sums.length;
    const detail::ConvexHull hull = detail::HullOf(outline);
    if (!hull.finite)
        return std::nullopt;
    m.box = detail::HullBox(hull);
    m.width = m.box.maxX - m.box.minX;
    m.height = m.box.maxY - m.box.minY;
    m.minRectangle = detail::SmallestRectangle(hull);
    m.hullArea = detail::HullArea(hull);
    m.smallestRadius = SmallestRadius(outline);
    return m;
}

PartMeasures FromOuter(const OutlineMeasures& outer, size_t holes) {
    PartMeasures part;
    part.area = part.outerArea = outer.area;
    part.cutLength = part.outerLength = outer.length;
    part.pierces = 1 + static_cast<int64_t>(holes);
    part.box = outer.box;
    part.width = outer.width;
    part.height = outer.height;
    part.minRectangle = outer.minRectangle;
    part.hullArea = outer.hullArea;
    part.smallestRadius = outer.smallestRadius;
    return part;
}
} // namespace

OutlineMeasures MeasureOutline(const Outline& outline) {
    if (!Finite(outline))
        return {};
    const std::optional<OutlineMeasures> m =
        outline.kind == OutlineKind::Circle
            ? std::optional<OutlineMeasures>(CircleMeasures(outline.circle))
            : PolygonMeasures(outline);
    if (!m || !Finite(*m))
        return {};
    OutlineMeasures measures = *m;
    measures.finite = true;
    return measures;
}

PartMeasures MeasurePart(const Shape& shape) {
    return MeasurePart(shape, nullptr);
}

PartMeasures MeasurePart(const Shape& shape, std::vector<OutlineMeasures>* holeMeasures) {
    const OutlineMeasures outer = MeasureOutline(shape);
    PartMeasures part = FromOuter(outer, shape.holes.size());
    bool finite = outer.finite;
    for (const Outline& hole : shape.holes) {
        const OutlineMeasures m = MeasureOutline(hole);
        if (holeMeasures)
            holeMeasures->push_back(m);
        finite = finite && m.finite;
        if (!finite && !holeMeasures)
            return {};
        part.area -= m.area;
        part.cutLength += m.length;
        part.smallestHole = Smaller(part.smallestHole, HoleSize(hole, m));
        part.smallestRadius = Smaller(part.smallestRadius, m.smallestRadius);
    }
    // Outlines of huge but finite figures may still sum past a double.
    if (!finite || !std::isfinite(part.area) || !std::isfinite(part.cutLength))
        return {};
    part.finite = true;
    return part;
}

} // namespace quillform
