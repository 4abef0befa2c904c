// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "measure/convex_hull.h"

#include "measure/arc_edge.h"

#include "model/geometry_constants.h"

#include <algorithm>
#include <cmath>

namespace quillform::detail {
namespace {
// Ties between supports are decided within this share of the hull's size.
constexpr double kRelativeTolerance = 1e-12;
// Outlines with fewer features go straight to the envelope (cheaper, for
// so few, than Boost's hull).
constexpr size_t kFewFeatures = 16;

Point Middle(const std::vector<Vertex>& v) {
    const auto [minX, maxX] = std::minmax_element(
        v.begin(), v.end(), [](const Vertex& a, const Vertex& b) { return a.x < b.x; });
    const auto [minY, maxY] = std::minmax_element(
        v.begin(), v.end(), [](const Vertex& a, const Vertex& b) { return a.y < b.y; });
    return {minX->x / 2 + maxX->x / 2, minY->y / 2 + maxY->y / 2}; // no overflow
}

// How far the features reach from the origin (within a factor of the square
// root of 2: the scale of the tolerances).
double Reach(const std::vector<HullFeature>& features) {
    double reach = 0;
    for (const HullFeature& f : features)
        reach = std::max(reach, std::fabs(f.center.x) + std::fabs(f.center.y) + f.radius);
    return reach;
}

// The safeguard: every arc as points close enough that no chord strays more
// than 1e-9 of the reach from its arc (at most 4096 per arc).
std::vector<HullFeature> Sampled(const std::vector<HullFeature>& features, double reach) {
    std::vector<HullFeature> points;
    for (const HullFeature& f : features) {
        if (f.radius == 0) {
            points.push_back(f);
            continue;
        }
        const double step = 2 * std::acos(std::max(0.0, 1 - 1e-9 * reach / f.radius));
        const int n = static_cast<int>(std::min(4096.0, std::ceil(f.sweep / step)));
        for (int k = 0; k <= n; ++k) {
            const double t = f.start + f.sweep * k / std::max(n, 1);
            points.push_back(
                {{f.center.x + f.radius * std::cos(t), f.center.y + f.radius * std::sin(t)},
                 0,
                 0,
                 2 * kPi});
        }
    }
    return points;
}

// u(t), exact along the axes (where cos and sin of the rounded angles are not).
Point Direction(double t) {
    if (t == 0 || t == kHalfPi || t == kPi || t == 3 * kHalfPi) {
        const int quarter = static_cast<int>(t / kHalfPi);
        const double c[] = {1, 0, -1, 0};
        return {c[quarter], c[(quarter + 3) % 4]};
    }
    return {std::cos(t), std::sin(t)};
}

ConvexHull PolygonHull(const Outline& outline) {
    ConvexHull hull;
    if (outline.vertices.empty())
        return hull;
    hull.origin = Middle(outline.vertices);
    std::vector<HullFeature> features = HullFeatures(outline, hull.origin);
    const double reach = Reach(features);
    if (!std::isfinite(reach)) { // coordinates too far apart for any figure
        hull.finite = false;
        return hull;
    }
    if (reach == 0) { // every vertex on one point
        hull.pieces.push_back({{0, 0}, 0, 0, 2 * kPi});
        return hull;
    }
    const bool corners = std::all_of(features.begin(), features.end(),
                                     [](const HullFeature& f) { return f.radius == 0; });
    if (corners && features.size() > kFewFeatures &&
        !(hull.pieces = CornerPieces(features)).empty())
        return hull;
    const double tolerance = kRelativeTolerance * reach;
    if (features.size() > kFewFeatures)
        features = HullCandidates(std::move(features), tolerance);
    hull.pieces = SupportEnvelope(features, tolerance);
    if (hull.pieces.empty()) {
        hull.exact = false;
        const std::vector<HullFeature> points = Sampled(features, reach);
        hull.pieces = CornerPieces(points);
        if (hull.pieces.empty())
            hull.pieces = SupportEnvelope(points, tolerance);
    }
    return hull;
}
} // namespace

ConvexHull HullOf(const Outline& outline) {
    if (outline.kind == OutlineKind::Polygon)
        return PolygonHull(outline);
    ConvexHull hull;
    hull.origin = outline.circle.center;
    hull.pieces.push_back({{0, 0}, std::fabs(outline.circle.radius), 0, 2 * kPi});
    return hull;
}

double ConvexHull::Support(double angle) const {
    if (pieces.empty())
        return 0;
    double t = std::fmod(angle, 2 * kPi);
    if (t < 0)
        t += 2 * kPi;
    auto after = std::upper_bound(pieces.begin(), pieces.end(), t,
                                  [](double a, const HullPiece& p) { return a < p.from; });
    const HullPiece& p = after == pieces.begin() ? pieces.front() : *(after - 1);
    const Point u = Direction(t);
    return p.center.x * u.x + p.center.y * u.y + p.radius;
}

double ConvexHull::Width(double angle) const {
    return Support(angle) + Support(angle + kPi);
}

namespace {
// Where a piece's arc meets the direction `angle` (its centre, for a corner).
Point Touching(const HullPiece& p, double angle) {
    if (p.radius == 0)
        return p.center;
    return {p.center.x + p.radius * std::cos(angle), p.center.y + p.radius * std::sin(angle)};
}
} // namespace

double HullArea(const ConvexHull& hull) {
    const auto& p = hull.pieces;
    double twice = 0;
    for (size_t k = 0; k < p.size(); ++k) {
        const HullPiece& a = p[k];
        if (a.radius > 0)
            twice += TwiceArcArea(a.center, a.radius, a.from, a.to - a.from);
        const Point from = Touching(a, a.to), to = Touching(p[(k + 1) % p.size()], a.to);
        twice += from.x * to.y - to.x * from.y;
    }
    return twice / 2;
}

Bounds HullBox(const ConvexHull& hull) {
    if (hull.pieces.empty())
        return {};
    return {hull.origin.x - hull.Support(kPi), hull.origin.y - hull.Support(3 * kHalfPi),
            hull.origin.x + hull.Support(0), hull.origin.y + hull.Support(kHalfPi)};
}

} // namespace quillform::detail
