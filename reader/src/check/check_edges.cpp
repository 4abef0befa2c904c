// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "check/check_edges.h"

#include "measure/arc_edge.h"

#include <algorithm>
#include <cmath>

namespace quillform::detail {

namespace {
constexpr double kTurn = 6.283185307179586;

TCheckEdge CircleEdge(const Circle& c) {
    TCheckEdge e;
    e.from = e.to = Point{c.center.x + c.radius, c.center.y};
    e.arc = true;
    e.center = c.center;
    e.radius = c.radius;
    e.sweep = kTurn;
    return e;
}

TCheckEdge EdgeBetween(const Vertex& from, const Vertex& to) {
    TCheckEdge e;
    e.from = Point{from.x, from.y};
    e.to = Point{to.x, to.y};
    if (!from.arc)
        return e;
    const EdgeArc arc = ArcOf(from, to);
    e.arc = arc.radius > 0 && arc.sweep != 0;
    e.center = arc.center;
    e.radius = arc.radius;
    e.start = arc.start;
    e.sweep = arc.sweep;
    e.slack = std::hypot(arc.end.x - e.to.x, arc.end.y - e.to.y);
    return e;
}

// Whether the direction `angle` lies on the arc, more than `margin`
// (radians) inside its ends.
bool OnArc(const TCheckEdge& e, double angle, double margin) {
    double along = e.sweep > 0 ? angle - e.start : e.start - angle;
    along = std::fmod(along, kTurn);
    if (along < 0)
        along += kTurn;
    return along > margin && along < std::fabs(e.sweep) - margin;
}

bool Inside(const TCheckEdge& e, Point p, double tolerance) {
    if (e.arc)
        return OnArc(e, std::atan2(p.y - e.center.y, p.x - e.center.x), tolerance / e.radius);
    const double dx = e.to.x - e.from.x, dy = e.to.y - e.from.y;
    const double length2 = dx * dx + dy * dy;
    const double t = ((p.x - e.from.x) * dx + (p.y - e.from.y) * dy) / length2;
    const double margin = tolerance / std::sqrt(length2);
    return t > margin && t < 1 - margin;
}

std::vector<Point> LineLine(const TCheckEdge& a, const TCheckEdge& b) {
    const double rx = a.to.x - a.from.x, ry = a.to.y - a.from.y;
    const double sx = b.to.x - b.from.x, sy = b.to.y - b.from.y;
    const double denominator = rx * sy - ry * sx;
    if (denominator == 0)
        return {};
    const double qx = b.from.x - a.from.x, qy = b.from.y - a.from.y;
    const double t = (qx * sy - qy * sx) / denominator;
    return {Point{a.from.x + t * rx, a.from.y + t * ry}};
}

// Where the line through the segment meets the circle, where it passes
// through it (a tangent only touches).
std::vector<Point> LineCircle(const TCheckEdge& line, Point c, double r, double tolerance) {
    const double dx = line.to.x - line.from.x, dy = line.to.y - line.from.y;
    const double length = std::hypot(dx, dy);
    const double ux = dx / length, uy = dy / length;
    const double along = (c.x - line.from.x) * ux + (c.y - line.from.y) * uy;
    const double fx = line.from.x + along * ux, fy = line.from.y + along * uy;
    const double across2 = (fx - c.x) * (fx - c.x) + (fy - c.y) * (fy - c.y);
    const double half2 = r * r - across2;
    if (half2 <= tolerance * tolerance)
        return {};
    const double half = std::sqrt(half2);
    return {Point{fx - half * ux, fy - half * uy}, Point{fx + half * ux, fy + half * uy}};
}

std::vector<Point> CircleCircle(const TCheckEdge& a, const TCheckEdge& b, double tolerance) {
    const double dx = b.center.x - a.center.x, dy = b.center.y - a.center.y;
    const double d = std::hypot(dx, dy);
    if (d <= tolerance || d >= a.radius + b.radius - tolerance ||
        d <= std::fabs(a.radius - b.radius) + tolerance)
        return {};
    const double along = (d * d + a.radius * a.radius - b.radius * b.radius) / (2 * d);
    const double half = std::sqrt(std::max(0.0, a.radius * a.radius - along * along));
    const double mx = a.center.x + along * dx / d, my = a.center.y + along * dy / d;
    return {Point{mx - half * dy / d, my + half * dx / d},
            Point{mx + half * dy / d, my - half * dx / d}};
}
} // namespace

std::vector<TCheckEdge> EdgesOf(const Outline& outline) {
    if (outline.kind == OutlineKind::Circle)
        return {CircleEdge(outline.circle)};
    std::vector<TCheckEdge> edges;
    const size_t n = outline.vertices.size();
    edges.reserve(n);
    for (size_t k = 0; k < n; ++k) {
        const TCheckEdge e = EdgeBetween(outline.vertices[k], outline.vertices[(k + 1) % n]);
        if (e.arc || e.from.x != e.to.x || e.from.y != e.to.y)
            edges.push_back(e);
    }
    return edges;
}

Bounds EdgeBox(const TCheckEdge& e) {
    if (e.arc) // the whole circle's box: enough to find what may meet it
        return Bounds{e.center.x - e.radius, e.center.y - e.radius, e.center.x + e.radius,
                      e.center.y + e.radius};
    return Bounds{std::min(e.from.x, e.to.x), std::min(e.from.y, e.to.y),
                  std::max(e.from.x, e.to.x), std::max(e.from.y, e.to.y)};
}

std::vector<Point> Crossings(const TCheckEdge& a, const TCheckEdge& b, double tolerance) {
    std::vector<Point> candidates;
    if (!a.arc && !b.arc)
        candidates = LineLine(a, b);
    else if (!a.arc)
        candidates = LineCircle(a, b.center, b.radius, tolerance);
    else if (!b.arc)
        candidates = LineCircle(b, a.center, a.radius, tolerance);
    else
        candidates = CircleCircle(a, b, tolerance);
    std::vector<Point> crossings;
    for (const Point& p : candidates)
        if (std::isfinite(p.x) && std::isfinite(p.y) && Inside(a, p, tolerance) &&
            Inside(b, p, tolerance))
            crossings.push_back(p);
    return crossings;
}

double Flatten(const TCheckEdge& e, double sag, std::vector<Point>& points) {
    points.push_back(e.from);
    if (!e.arc)
        return 0;
    const double ratio = std::clamp(1 - sag / e.radius, -1.0, 1.0);
    const double step = std::max(2 * std::acos(ratio), 1e-3);
    const int pieces = static_cast<int>(std::min(std::ceil(std::fabs(e.sweep) / step), 4096.0));
    for (int k = 1; k < pieces; ++k) {
        const double angle = e.start + e.sweep * k / pieces;
        points.push_back(Point{e.center.x + e.radius * std::cos(angle),
                               e.center.y + e.radius * std::sin(angle)});
    }
    return pieces > 0 ? e.radius * (1 - std::cos(std::fabs(e.sweep) / pieces / 2)) : 0;
}

bool InsidePolygon(const std::vector<Point>& polygon, Point p) {
    bool inside = false;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Point& a = polygon[i];
        const Point& b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

} // namespace quillform::detail
