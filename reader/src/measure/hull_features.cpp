// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "measure/arc_edge.h"
#include "measure/convex_hull.h"

#include "model/geometry_constants.h"

#include <boost/geometry/algorithms/area.hpp>
#include <boost/geometry/algorithms/convex_hull.hpp>
#include <boost/geometry/geometries/multi_point.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/ring.hpp>
#include <boost/geometry/strategies/strategies.hpp>

#include <algorithm>
#include <cmath>
#include <utility>

namespace quillform::detail {
namespace {
namespace bg = boost::geometry;
using BoostPoint = bg::model::d2::point_xy<double>;
using BoostRing = bg::model::ring<BoostPoint, false>; // counter-clockwise, closed

// Arcs are sampled at least every quarter turn for the coarse hull that
// rules features out; the arcs themselves are then tested exactly.
constexpr double kSampleStep = kHalfPi / 2;
// An arc's end further than this share of its radius from the next vertex
// is a corner of its own (nearer, rounding alone put it there).
constexpr double kStray = 1e-12;

HullFeature ArcFeature(const EdgeArc& arc, Point origin) {
    const Point center{arc.center.x - origin.x, arc.center.y - origin.y};
    // A clockwise arc covers the same directions as its reverse.
    return arc.sweep > 0 ? HullFeature{center, arc.radius, arc.start, arc.sweep}
                         : HullFeature{center, arc.radius, arc.start + arc.sweep, -arc.sweep};
}

HullFeature PointFeature(Point p) {
    return {p, 0, 0, 2 * kPi};
}

bool IsPoint(const HullFeature& f) {
    return f.radius == 0;
}

bool Faces(const HullFeature& arc, double angle) {
    const double offset = std::fmod(std::fmod(angle - arc.start, 2 * kPi) + 2 * kPi, 2 * kPi);
    return offset <= arc.sweep;
}

void AddSamples(const HullFeature& f, bg::model::multi_point<BoostPoint>& samples) {
    if (IsPoint(f)) {
        samples.emplace_back(f.center.x, f.center.y);
        return;
    }
    const int steps = std::max(1, static_cast<int>(std::ceil(f.sweep / kSampleStep)));
    for (int k = 1; k < steps; ++k) {
        const double t = f.start + f.sweep * k / steps;
        samples.emplace_back(f.center.x + f.radius * std::cos(t),
                             f.center.y + f.radius * std::sin(t));
    }
}

// Whether the arc reaches out to the line of some hull edge (within tolerance).
bool ReachesOut(const HullFeature& arc, const BoostRing& hull, double tolerance) {
    for (size_t k = 0; k + 1 < hull.size(); ++k) {
        const double dx = hull[k + 1].x() - hull[k].x(), dy = hull[k + 1].y() - hull[k].y();
        const double length = std::hypot(dx, dy);
        if (length == 0)
            continue;
        const double nx = dy / length, ny = -dx / length;
        if (Faces(arc, std::atan2(ny, nx)) && arc.center.x * nx + arc.center.y * ny + arc.radius >=
                                                  hull[k].x() * nx + hull[k].y() * ny - tolerance)
            return true;
    }
    return false;
}
} // namespace

std::vector<HullFeature> HullFeatures(const Outline& outline, Point origin) {
    std::vector<HullFeature> features;
    const auto& v = outline.vertices;
    features.reserve(2 * v.size());
    for (size_t k = 0; k < v.size(); ++k) {
        features.push_back(PointFeature({v[k].x - origin.x, v[k].y - origin.y}));
        if (!v[k].arc)
            continue;
        const Vertex& to = v[(k + 1) % v.size()];
        const EdgeArc arc = ArcOf(v[k], to);
        if (arc.radius == 0)
            continue;
        features.push_back(ArcFeature(arc, origin));
        // Where linking joined an arc to a vertex apart, its own end is a
        // corner too (the edge goes on straight from it).
        if (std::hypot(arc.end.x - to.x, arc.end.y - to.y) > kStray * arc.radius)
            features.push_back(PointFeature({arc.end.x - origin.x, arc.end.y - origin.y}));
    }
    return features;
}

std::vector<HullPiece> CornerPieces(const std::vector<HullFeature>& points) {
    bg::model::multi_point<BoostPoint> samples;
    for (const HullFeature& f : points)
        samples.emplace_back(f.center.x, f.center.y);
    BoostRing hull;
    bg::convex_hull(samples, hull);
    if (hull.size() < 4 || !(bg::area(hull) > 0)) // points on a line
        return {};
    // Corner k + 1 supports the directions between the outward normals of
    // the edges before and after it.
    const size_t n = hull.size() - 1;
    std::vector<double> normal(n);
    for (size_t k = 0; k < n; ++k) {
        const double a = std::atan2(hull[k].x() - hull[k + 1].x(), hull[k + 1].y() - hull[k].y());
        normal[k] = a < 0 ? a + 2 * kPi : a;
    }
    std::vector<HullPiece> pieces;
    for (size_t k = 0; k < n; ++k) {
        const Point corner{hull[k + 1].x(), hull[k + 1].y()};
        const double from = normal[k], to = normal[(k + 1) % n];
        if (to >= from) {
            if (to > from) // (a corner on a straight run supports no direction)
                pieces.push_back({corner, 0, from, to});
            continue;
        }
        pieces.push_back({corner, 0, from, 2 * kPi}); // the corner that supports +x
        if (to > 0) // (an edge facing +x exactly leaves nothing after 0)
            pieces.push_back({corner, 0, 0, to});
    }
    std::sort(pieces.begin(), pieces.end(),
              [](const HullPiece& a, const HullPiece& b) { return a.from < b.from; });
    return pieces;
}

std::vector<HullFeature> HullCandidates(std::vector<HullFeature> features, double tolerance) {
    bg::model::multi_point<BoostPoint> samples;
    for (const HullFeature& f : features)
        AddSamples(f, samples);
    BoostRing hull;
    bg::convex_hull(samples, hull);
    if (hull.size() < 4) // fewer than three corners: nothing to rule out
        return features;
    std::vector<std::pair<double, double>> corners;
    for (const BoostPoint& p : hull)
        corners.emplace_back(p.x(), p.y());
    std::sort(corners.begin(), corners.end());
    const auto outside = [&](const HullFeature& f) {
        if (IsPoint(f))
            return std::binary_search(corners.begin(), corners.end(),
                                      std::make_pair(f.center.x, f.center.y));
        return ReachesOut(f, hull, tolerance);
    };
    features.erase(std::remove_if(features.begin(), features.end(),
                                  [&](const HullFeature& f) { return !outside(f); }),
                   features.end());
    return features;
}

} // namespace quillform::detail
