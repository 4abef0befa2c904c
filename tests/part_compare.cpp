// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "part_compare.h"

#include <algorithm>
#include <cmath>

namespace part_compare {
namespace {
using quillform::Outline;
using quillform::Point;
using quillform::Shape;
using quillform::Vertex;

constexpr double kPi = 3.141592653589793;

double Distance(const Point& a, const Point& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

Point At(const Point& c, double r, double angle) {
    return Point{c.x + r * std::cos(angle), c.y + r * std::sin(angle)};
}

// The arc edges of an outline as (start angle, signed sweep); an edge back to
// its own start turns all the way round.
void ArcEdges(const Vertex& from, const Vertex& to, std::vector<Edge>& edges) {
    const Point c = from.arc->center;
    const double r = std::hypot(from.x - c.x, from.y - c.y);
    const double a = std::atan2(from.y - c.y, from.x - c.x);
    double ccw = std::fmod(std::atan2(to.y - c.y, to.x - c.x) - a + 4 * kPi, 2 * kPi);
    if (ccw == 0)
        ccw = 2 * kPi;
    const double sweep = from.arc->clockwise ? ccw - 2 * kPi : ccw;
    if (std::fabs(sweep) >= 2 * kPi) {
        const Point opposite = At(c, r, a + kPi);
        const double half = sweep / 2;
        edges.push_back(Edge{{from.x, from.y}, opposite, At(c, r, a + half / 2)});
        edges.push_back(Edge{opposite, {to.x, to.y}, At(c, r, a + 3 * half / 2)});
        return;
    }
    edges.push_back(Edge{{from.x, from.y}, {to.x, to.y}, At(c, r, a + sweep / 2)});
}

bool SameEdge(const Edge& a, const Edge& b, double tolerance) {
    return Distance(a.from, b.from) <= tolerance && Distance(a.to, b.to) <= tolerance &&
           Distance(a.middle, b.middle) <= tolerance;
}

std::vector<Edge> Turned(std::vector<Edge> edges) {
    std::reverse(edges.begin(), edges.end());
    for (Edge& e : edges)
        std::swap(e.from, e.to);
    return edges;
}

// Whether b is a with its edges rotated by some offset.
bool SameCycle(const std::vector<Edge>& a, const std::vector<Edge>& b, double tolerance) {
    const size_t n = a.size();
    for (size_t offset = 0; offset < n; ++offset) {
        size_t k = 0;
        while (k < n && SameEdge(a[k], b[(k + offset) % n], tolerance))
            ++k;
        if (k == n)
            return true;
    }
    return n == 0;
}

std::string Describe(const Outline& o) {
    if (o.kind == quillform::OutlineKind::Circle)
        return "circle at (" + std::to_string(o.circle.center.x) + ", " +
               std::to_string(o.circle.center.y) + ") r " + std::to_string(o.circle.radius);
    std::string text = std::to_string(o.vertices.size()) + " vertices";
    if (!o.vertices.empty())
        text += " from (" + std::to_string(o.vertices[0].x) + ", " +
                std::to_string(o.vertices[0].y) + ")";
    return text;
}

std::string CompareHoles(const Shape& expected, const Shape& actual, double tolerance) {
    if (expected.holes.size() != actual.holes.size())
        return std::to_string(expected.holes.size()) + " holes expected, " +
               std::to_string(actual.holes.size()) + " found";
    std::vector<bool> used(actual.holes.size());
    for (const Outline& hole : expected.holes) {
        size_t k = 0;
        while (k < used.size() &&
               (used[k] || !CompareContours(hole, actual.holes[k], tolerance).empty()))
            ++k;
        if (k == used.size())
            return "no hole like the " + Describe(hole);
        used[k] = true;
    }
    return std::string();
}
} // namespace

std::vector<Edge> Edges(const Outline& outline) {
    std::vector<Edge> edges;
    const auto& v = outline.vertices;
    for (size_t k = 0; k < v.size(); ++k) {
        const Vertex& from = v[k];
        const Vertex& to = v[(k + 1) % v.size()];
        if (from.arc)
            ArcEdges(from, to, edges);
        else
            edges.push_back(Edge{
                {from.x, from.y}, {to.x, to.y}, {from.x / 2 + to.x / 2, from.y / 2 + to.y / 2}});
    }
    return edges;
}

std::string CompareContours(const Outline& expected, const Outline& actual, double tolerance) {
    if (expected.kind != actual.kind)
        return "a " + Describe(expected) + " became a " + Describe(actual);
    if (expected.kind == quillform::OutlineKind::Circle) {
        const bool same = Distance(expected.circle.center, actual.circle.center) <= tolerance &&
                          std::fabs(expected.circle.radius - actual.circle.radius) <= tolerance;
        return same ? std::string() : Describe(expected) + " became " + Describe(actual);
    }
    const std::vector<Edge> a = Edges(expected), b = Edges(actual);
    if (a.size() != b.size())
        return Describe(expected) + " (" + std::to_string(a.size()) + " edges) became " +
               Describe(actual) + " (" + std::to_string(b.size()) + " edges)";
    if (SameCycle(a, b, tolerance) || SameCycle(a, Turned(b), tolerance))
        return std::string();
    return "the edges of the " + Describe(expected) + " differ";
}

std::string CompareParts(const std::vector<Shape>& expected, const std::vector<Shape>& actual,
                         double tolerance) {
    if (expected.size() != actual.size())
        return std::to_string(expected.size()) + " parts expected, " +
               std::to_string(actual.size()) + " found";
    std::vector<bool> used(actual.size());
    for (const Shape& part : expected) {
        std::string why = "no part at all";
        size_t k = 0;
        for (; k < actual.size(); ++k) {
            if (used[k] || !CompareContours(part, actual[k], tolerance).empty())
                continue;
            why = CompareHoles(part, actual[k], tolerance);
            if (why.empty())
                break;
        }
        if (k == actual.size())
            return "the part whose outline is a " + Describe(part) + ": " + why;
        used[k] = true;
    }
    return std::string();
}

double Extent(const Outline& outline) {
    if (outline.kind == quillform::OutlineKind::Circle)
        return 2 * outline.circle.radius;
    double minX = HUGE_VAL, minY = HUGE_VAL, maxX = -HUGE_VAL, maxY = -HUGE_VAL;
    for (const Edge& e : Edges(outline))
        for (const Point& p : {e.from, e.middle}) {
            minX = std::min(minX, p.x);
            minY = std::min(minY, p.y);
            maxX = std::max(maxX, p.x);
            maxY = std::max(maxY, p.y);
        }
    return outline.vertices.empty() ? 0 : std::max(maxX - minX, maxY - minY);
}

double Size(const std::vector<Shape>& shapes) {
    double size = 0;
    for (const Shape& s : shapes) {
        const quillform::Bounds& b = s.bounds;
        for (double v : {b.maxX - b.minX, b.maxY - b.minY, std::fabs(b.minX), std::fabs(b.maxX),
                         std::fabs(b.minY), std::fabs(b.maxY)})
            size = std::max(size, v);
    }
    return size;
}

} // namespace part_compare
