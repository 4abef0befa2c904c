// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "contour_geometry.h"

#include "model/geometry_constants.h"

#include <algorithm>
#include <cmath>

namespace quillform::detail {
namespace {
void Widen(Bounds& b, double x, double y) {
    b.minX = std::min(b.minX, x);
    b.minY = std::min(b.minY, y);
    b.maxX = std::max(b.maxX, x);
    b.maxY = std::max(b.maxY, y);
}

// Whether the direction `angle` lies on the arc that starts at `start` and
// turns through `sweep`.
bool OnArc(double angle, double start, double sweep) {
    const double turned = sweep > 0 ? angle - start : start - angle;
    return std::fmod(turned + 4 * detail::kPi, 2 * detail::kPi) <= std::fabs(sweep);
}

void WidenByEdge(Bounds& b, const Vertex& from, const Vertex& to) {
    Widen(b, to.x, to.y);
    if (!from.arc)
        return;
    const Point c = from.arc->center;
    const double r = EdgeRadius(from), start = std::atan2(from.y - c.y, from.x - c.x);
    const double sweep = Sweep(from, to);
    for (int quarter = 0; quarter < 4; ++quarter) {
        const double angle = quarter * detail::kPi / 2;
        if (OnArc(angle, start, sweep))
            Widen(b, c.x + r * std::cos(angle), c.y + r * std::sin(angle));
    }
}

bool Finite(const Point& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

bool Finite(const Vertex& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) &&
           (!v.arc || (Finite(v.arc->center) && std::isfinite(v.arc->radius)));
}

ArcEdge TurnedRound(ArcEdge arc) {
    arc.clockwise = !arc.clockwise;
    return arc;
}
} // namespace

double TwiceSignedArea(const Outline& outline) {
    if (outline.kind == OutlineKind::Circle)
        return 2 * detail::kPi * outline.circle.radius * outline.circle.radius;
    return SumEdges(outline).twiceArea;
}

Outline Reversed(const Outline& outline) {
    Outline reversed = outline;
    const auto& v = outline.vertices;
    const size_t n = v.size();
    for (size_t j = 0; j < n; ++j) {
        const Vertex& at = v[(n - j) % n];
        const Vertex& leaving = v[(2 * n - j - 1) % n]; // the edge that now leaves `at`
        reversed.vertices[j] = Vertex{at.x, at.y, std::nullopt};
        if (leaving.arc)
            reversed.vertices[j].arc = TurnedRound(*leaving.arc);
    }
    return reversed;
}

Outline Placed(const Outline& outline, bool counterClockwise, Point shift) {
    const double area = TwiceSignedArea(outline);
    Outline placed =
        (counterClockwise ? area < 0 : area > 0) && outline.kind == OutlineKind::Polygon
            ? Reversed(outline)
            : outline;
    placed.vertices = Moved(std::move(placed.vertices), shift);
    placed.circle.center.x += shift.x;
    placed.circle.center.y += shift.y;
    return placed;
}

std::vector<Vertex> Moved(std::vector<Vertex> vertices, Point shift) {
    if (shift.x == 0 && shift.y == 0)
        return vertices;
    for (Vertex& v : vertices) {
        v.x += shift.x;
        v.y += shift.y;
        if (v.arc) {
            v.arc->center.x += shift.x;
            v.arc->center.y += shift.y;
        }
    }
    return vertices;
}

std::vector<Vertex> WithoutWholeTurns(const std::vector<Vertex>& vertices) {
    std::vector<Vertex> split;
    split.reserve(vertices.size());
    for (size_t k = 0; k < vertices.size(); ++k) {
        const Vertex& v = vertices[k];
        split.push_back(v);
        if (v.arc && std::fabs(Sweep(v, vertices[(k + 1) % vertices.size()])) >= 2 * detail::kPi) {
            const Point c = v.arc->center;
            split.push_back(Vertex{2 * c.x - v.x, 2 * c.y - v.y, v.arc});
        }
    }
    return split;
}

double Bulge(const Vertex& from, const Vertex& to) {
    return from.arc ? std::tan(Sweep(from, to) / 4) : 0;
}

Bounds ExactBounds(const Outline& outline) {
    if (outline.kind == OutlineKind::Circle) {
        const Circle& c = outline.circle;
        return Bounds{c.center.x - c.radius, c.center.y - c.radius, c.center.x + c.radius,
                      c.center.y + c.radius};
    }
    return ExactBounds(outline.vertices, true);
}

Bounds ExactBounds(const std::vector<Vertex>& chain, bool closed) {
    if (chain.empty())
        return Bounds{};
    Bounds b{chain[0].x, chain[0].y, chain[0].x, chain[0].y};
    const size_t edges = closed ? chain.size() : chain.size() - 1;
    for (size_t k = 0; k < edges; ++k)
        WidenByEdge(b, chain[k], chain[(k + 1) % chain.size()]);
    return b;
}

bool EnclosesArea(const Outline& outline) {
    constexpr double kFlat = 1e-12;
    if (outline.kind == OutlineKind::Circle)
        return outline.circle.radius > 0;
    const Bounds b = ExactBounds(outline);
    const double extent = std::max(b.maxX - b.minX, b.maxY - b.minY);
    if (!(extent > 0))
        return false;
    Outline unit = outline; // the box's corner at the origin, its larger side 1
    for (Vertex& v : unit.vertices) {
        v = Vertex{(v.x - b.minX) / extent, (v.y - b.minY) / extent, v.arc};
        if (v.arc)
            v.arc->center =
                Point{(v.arc->center.x - b.minX) / extent, (v.arc->center.y - b.minY) / extent};
    }
    return std::fabs(TwiceSignedArea(unit)) / 2 > kFlat;
}

bool Within(const Bounds& inner, const Bounds& outer) {
    return inner.minX >= outer.minX && inner.minY >= outer.minY && inner.maxX <= outer.maxX &&
           inner.maxY <= outer.maxY;
}

bool Finite(const Outline& outline) {
    if (outline.kind == OutlineKind::Circle)
        return Finite(outline.circle.center) && std::isfinite(outline.circle.radius);
    return Finite(outline.vertices);
}

bool Finite(const std::vector<Vertex>& vertices) {
    return std::all_of(vertices.begin(), vertices.end(), [](const Vertex& v) { return Finite(v); });
}

Bounds Union(const Bounds& a, const Bounds& b) {
    return Bounds{std::min(a.minX, b.minX), std::min(a.minY, b.minY), std::max(a.maxX, b.maxX),
                  std::max(a.maxY, b.maxY)};
}

} // namespace quillform::detail
