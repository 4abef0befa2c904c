// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Webs too thin to survive: the material between two holes of a part, or
// between a hole and the outer outline. Two circles are measured exactly;
// other outlines as chains of chords a thousandth of the limit from their
// arcs, their pieces found through a box index.
#include "check/check_context.h"
#include "check/check_edges.h"
#include "check/layer_outlines.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace quillform::detail {

namespace {
struct TPiece {
    Point a, b;
    size_t outline = 0; // 0 the outer outline, k the hole k - 1
};

struct TClosest {
    double distance = 0;
    Point a, b;
};

Point Along(Point a, Point b, double t) {
    return Point{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

TClosest PointToPiece(Point p, const TPiece& s) {
    const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
    const double length2 = dx * dx + dy * dy;
    const double t =
        length2 > 0 ? std::clamp(((p.x - s.a.x) * dx + (p.y - s.a.y) * dy) / length2, 0.0, 1.0) : 0;
    const Point q = Along(s.a, s.b, t);
    return TClosest{std::hypot(p.x - q.x, p.y - q.y), p, q};
}

// Closest points of two pieces that do not cross: at an end of one of them.
TClosest Closest(const TPiece& s, const TPiece& t) {
    TClosest best = PointToPiece(s.a, t);
    for (const TClosest& c : {PointToPiece(s.b, t), PointToPiece(t.a, s), PointToPiece(t.b, s)})
        if (c.distance < best.distance)
            best = c;
    return best;
}

std::vector<TPiece> Pieces(const Shape& shape, double sag) {
    std::vector<TPiece> pieces;
    std::vector<Point> points;
    for (size_t k = 0; k <= shape.holes.size(); ++k) {
        const Outline& o = k == 0 ? static_cast<const Outline&>(shape) : shape.holes[k - 1];
        points.clear();
        for (const TCheckEdge& e : EdgesOf(o))
            Flatten(e, sag, points);
        for (size_t i = 0; i < points.size(); ++i)
            pieces.push_back(TPiece{points[i], points[(i + 1) % points.size()], k});
    }
    return pieces;
}

Bounds PieceBox(const TPiece& s) {
    return Bounds{std::min(s.a.x, s.b.x), std::min(s.a.y, s.b.y), std::max(s.a.x, s.b.x),
                  std::max(s.a.y, s.b.y)};
}

// The closest approach of each pair of outlines nearer than the limit.
std::map<std::pair<size_t, size_t>, TClosest> NarrowPairs(const Shape& shape, double limit) {
    const std::vector<TPiece> pieces = Pieces(shape, limit * 1e-3);
    std::vector<TBoxEntry> entries;
    for (size_t k = 0; k < pieces.size(); ++k)
        entries.emplace_back(BoxOf(PieceBox(pieces[k])), k);
    const TBoxTree tree(entries.begin(), entries.end());
    std::map<std::pair<size_t, size_t>, TClosest> pairs;
    std::vector<TBoxEntry> near;
    for (size_t k = 0; k < pieces.size(); ++k) {
        near.clear();
        tree.query(bgi::intersects(BoxOf(PieceBox(pieces[k]), limit)), std::back_inserter(near));
        for (const TBoxEntry& other : near) {
            const TPiece& s = pieces[k];
            const TPiece& t = pieces[other.second];
            if (s.outline >= t.outline)
                continue;
            const TClosest c = Closest(s, t);
            const auto key = std::make_pair(s.outline, t.outline);
            const auto found = pairs.find(key);
            if (c.distance < limit && (found == pairs.end() || c.distance < found->second.distance))
                pairs[key] = c;
        }
    }
    return pairs;
}

// Two circles: the web between them exactly, or nothing when it is wide.
bool CircleWeb(const Shape& shape, size_t i, size_t j, TClosest& web) {
    const Outline& a = i == 0 ? static_cast<const Outline&>(shape) : shape.holes[i - 1];
    const Outline& b = shape.holes[j - 1];
    if (a.kind != OutlineKind::Circle || b.kind != OutlineKind::Circle)
        return false;
    const Point ca = a.circle.center, cb = b.circle.center;
    const double d = std::hypot(cb.x - ca.x, cb.y - ca.y);
    if (d == 0)
        return false;
    const double ux = (cb.x - ca.x) / d, uy = (cb.y - ca.y) / d;
    const double ra = a.circle.radius, rb = b.circle.radius;
    // Between two holes the web lies between the circles; inside an outer
    // circle, beyond the hole on the side the hole is off-centre.
    const double from = ra, to = i == 0 ? d + rb : d - rb;
    web.a = Point{ca.x + ux * from, ca.y + uy * from};
    web.b = Point{ca.x + ux * to, ca.y + uy * to};
    web.distance = std::fabs(to - from);
    return true;
}
} // namespace

void CheckWebs(const Layer& layer, TCheckContext& c) {
    const double limit = c.options.minWeb.value_or(c.options.thickness);
    if (limit <= 0)
        return;
    for (size_t part = 0; part < layer.shapes.size(); ++part) {
        const Shape& shape = layer.shapes[part];
        if (shape.holes.empty())
            continue;
        for (auto [key, web] : NarrowPairs(shape, limit)) {
            if (CircleWeb(shape, key.first, key.second, web) && web.distance >= limit)
                continue;
            const Point at{(web.a.x + web.b.x) / 2, (web.a.y + web.b.y) / 2};
            c.Add("narrowWeb", Severity::Warning, layer.name, static_cast<int64_t>(part), at,
                  std::string(key.first == 0 ? "the web between a hole and the outline"
                                             : "the web between two holes") +
                      " of part " + std::to_string(part) + " is " + Figure(web.distance) +
                      " wide, less than " + Figure(limit) +
                      " (the material's thickness, or --min-web); move the hole, or make it "
                      "smaller",
                  web.distance, limit);
        }
    }
}

} // namespace quillform::detail
