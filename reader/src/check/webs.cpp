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
#include <set>

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

struct TPieces {
    std::vector<TPiece> pieces;
    double stray = 0; // how far the chords stray from the outlines at most
};

// The chords of the outlines chosen by `wanted` (every one when it is empty).
TPieces Pieces(const Shape& shape, double sag, const std::set<size_t>& wanted = {}) {
    TPieces out;
    std::vector<Point> points;
    for (size_t k = 0; k <= shape.holes.size(); ++k) {
        if (!wanted.empty() && !wanted.count(k))
            continue;
        const Outline& o = k == 0 ? static_cast<const Outline&>(shape) : shape.holes[k - 1];
        points.clear();
        for (const TCheckEdge& e : EdgesOf(o))
            out.stray = std::max(out.stray, Flatten(e, sag, points));
        for (size_t i = 0; i < points.size(); ++i)
            out.pieces.push_back(TPiece{points[i], points[(i + 1) % points.size()], k});
    }
    return out;
}

Bounds PieceBox(const TPiece& s) {
    return Bounds{std::min(s.a.x, s.b.x), std::min(s.a.y, s.b.y), std::max(s.a.x, s.b.x),
                  std::max(s.a.y, s.b.y)};
}

using TPairs = std::map<std::pair<size_t, size_t>, TClosest>;

// The closest approach of each pair of outlines nearer than `limit`, over
// the given chords. Of equal distances the first pair of chords wins, so the
// place found does not depend on the index's order.
TPairs ClosestPairs(const std::vector<TPiece>& pieces, double limit) {
    std::vector<TBoxEntry> entries;
    for (size_t k = 0; k < pieces.size(); ++k)
        entries.emplace_back(BoxOf(PieceBox(pieces[k])), k);
    const TBoxTree tree(entries.begin(), entries.end());
    struct TBest {
        TClosest closest;
        size_t piece = 0, other = 0; // the two chords it was found on
    };
    std::map<std::pair<size_t, size_t>, TBest> best;
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
            if (!(c.distance < limit))
                continue;
            const TBest candidate{c, k, other.second};
            const auto [found, fresh] = best.try_emplace({s.outline, t.outline}, candidate);
            const TBest& was = found->second;
            if (!fresh &&
                (c.distance < was.closest.distance || (c.distance == was.closest.distance &&
                                                       k == was.piece && other.second < was.other)))
                found->second = candidate;
        }
    }
    TPairs pairs;
    for (const auto& [key, b] : best)
        pairs.emplace(key, b.closest);
    return pairs;
}

// Fine chords, a thousandth of the limit from the arcs, give the web's
// width; coarse ones first rule out the outlines that are far apart, since
// fine chords of every arc of every part cost far more than the read. Chords
// of either kind stray from the outlines at most as far as the coarse ones,
// so a pair nearer than the limit is within the limit and four strays.
TPairs NarrowPairs(const Shape& shape, double limit) {
    const TPieces coarse = Pieces(shape, limit * 0.1);
    std::set<size_t> near;
    for (const auto& pair : ClosestPairs(coarse.pieces, limit + 4.5 * coarse.stray)) {
        near.insert(pair.first.first);
        near.insert(pair.first.second);
    }
    if (near.empty())
        return {};
    return ClosestPairs(Pieces(shape, limit * 1e-3, near).pieces, limit);
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
