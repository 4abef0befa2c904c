// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "arc_points.h"

#include "contour_geometry.h"

#include "model/geometry_constants.h"

#include <algorithm>
#include <cmath>

namespace quillform::detail {
namespace {
// A ring of millions of points helps no one; past this an arc keeps its
// shape less closely (and the caller is told).
constexpr double kMostPiecesPerArc = 65536;
// Even a coarse tolerance keeps a circle a polygon with some area.
constexpr double kLargestStep = detail::kPi / 2;

// The number of pieces of a step no wider than `step` along the sweep.
double Pieces(double sweep, double step) {
    return std::max(1.0, std::ceil(std::fabs(sweep) / std::min(step, kLargestStep)));
}

// The points strictly inside an arc edge, in order. Turning right: points on
// the arc, chords whose sagitta r (1 - cos(step / 2)) stays within the
// tolerance. Turning left: the corners of tangents at the ends of the same
// pieces, r / cos(step / 2) from the centre, within the tolerance too.
void ArcInterior(const Vertex& from, double sweep, double tolerance, std::vector<Point>& ring,
                 bool* coarse) {
    const Point c = from.arc->center;
    const double r = std::hypot(from.x - c.x, from.y - c.y);
    const double start = std::atan2(from.y - c.y, from.x - c.x);
    const bool outside = sweep > 0;
    const double step = outside ? 2 * std::acos(r / (r + tolerance))
                                : (tolerance < r ? 2 * std::acos(1 - tolerance / r) : kLargestStep);
    double pieces = Pieces(sweep, step);
    if (pieces > kMostPiecesPerArc) {
        pieces = kMostPiecesPerArc;
        *coarse = true;
    }
    const auto n = static_cast<int>(pieces);
    const double piece = sweep / n;
    if (outside) {
        const double reach = r / std::cos(piece / 2);
        for (int k = 0; k < n; ++k) {
            const double angle = start + piece * (k + 0.5);
            ring.push_back(Point{c.x + reach * std::cos(angle), c.y + reach * std::sin(angle)});
        }
        return;
    }
    for (int k = 1; k < n; ++k) {
        const double angle = start + piece * k;
        ring.push_back(Point{c.x + r * std::cos(angle), c.y + r * std::sin(angle)});
    }
}

Outline WholeTurn(const Circle& c, bool counterClockwise) {
    Outline turn;
    turn.vertices.push_back(
        Vertex{c.center.x + c.radius, c.center.y, ArcEdge{c.center, c.radius, !counterClockwise}});
    return turn;
}
} // namespace

std::vector<Point> RingPoints(const Outline& outline, bool counterClockwise, double tolerance,
                              bool* coarse) {
    const Outline placed = outline.kind == OutlineKind::Circle
                               ? WholeTurn(outline.circle, counterClockwise)
                               : Placed(outline, counterClockwise, Point{});
    const auto& v = placed.vertices;
    std::vector<Point> ring;
    for (size_t k = 0; k < v.size(); ++k) {
        ring.push_back(Point{v[k].x, v[k].y});
        if (v[k].arc)
            ArcInterior(v[k], Sweep(v[k], v[(k + 1) % v.size()]), tolerance, ring, coarse);
    }
    if (!ring.empty())
        ring.push_back(ring.front());
    return ring;
}

} // namespace quillform::detail
