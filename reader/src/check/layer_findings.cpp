// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Outlines drawn twice, and islands that fall out of their hole.
#include "check/check_context.h"
#include "check/check_edges.h"
#include "check/layer_outlines.h"

#include <algorithm>
#include <cmath>

namespace quillform::detail {

namespace {
bool Near(double a, double b, double tolerance) {
    return std::fabs(a - b) <= tolerance;
}

bool SameBox(const Bounds& a, const Bounds& b, double t) {
    return Near(a.minX, b.minX, t) && Near(a.minY, b.minY, t) && Near(a.maxX, b.maxX, t) &&
           Near(a.maxY, b.maxY, t);
}

std::vector<Point> SortedVertices(const Outline& o) {
    std::vector<Point> points;
    for (const Vertex& v : o.vertices)
        points.push_back(Point{v.x, v.y});
    std::sort(points.begin(), points.end(), [](const Point& a, const Point& b) {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    });
    return points;
}

// The same outline: the same kind, and the same circle or the same vertices.
bool SameOutline(const Outline& a, const Outline& b, double t) {
    if (a.kind != b.kind)
        return false;
    if (a.kind == OutlineKind::Circle)
        return Near(a.circle.center.x, b.circle.center.x, t) &&
               Near(a.circle.center.y, b.circle.center.y, t) &&
               Near(a.circle.radius, b.circle.radius, t);
    if (a.vertices.size() != b.vertices.size())
        return false;
    const std::vector<Point> pa = SortedVertices(a), pb = SortedVertices(b);
    for (size_t k = 0; k < pa.size(); ++k)
        if (!Near(pa[k].x, pb[k].x, t) || !Near(pa[k].y, pb[k].y, t))
            return false;
    return true;
}

Point FirstPoint(const Outline& o) {
    if (o.kind == OutlineKind::Circle || o.vertices.empty())
        return o.circle.center;
    return Point{o.vertices.front().x, o.vertices.front().y};
}

// Outlines sorted by their boxes: equal ones lie side by side.
void CheckDuplicates(const Layer& layer, const std::vector<TLayerOutline>& outlines,
                     TCheckContext& c) {
    std::vector<const TLayerOutline*> order;
    for (const TLayerOutline& o : outlines)
        order.push_back(&o);
    std::sort(order.begin(), order.end(), [](const TLayerOutline* a, const TLayerOutline* b) {
        return a->outline->bounds.minX < b->outline->bounds.minX;
    });
    const double t = c.tolerance * 1e3;
    for (size_t i = 0; i < order.size(); ++i)
        for (size_t j = i + 1; j < order.size() &&
                               order[j]->outline->bounds.minX <= order[i]->outline->bounds.minX + t;
             ++j) {
            const Outline& a = *order[i]->outline;
            const Outline& b = *order[j]->outline;
            if (!SameBox(a.bounds, b.bounds, t) || !SameOutline(a, b, t))
                continue;
            const TLayerOutline& second = *std::max(order[i], order[j]);
            c.Add("duplicateOutline", Severity::Warning, layer.name,
                  static_cast<int64_t>(second.part), FirstPoint(*second.outline),
                  "the same outline is drawn twice (part " + std::to_string(second.part) +
                      "); delete one, or the machine cuts it twice");
        }
}

std::vector<Point> Polygon(const Outline& o, double sag) {
    std::vector<Point> points;
    for (const TCheckEdge& e : EdgesOf(o))
        Flatten(e, sag, points);
    return points;
}

// A part whose outline lies inside another part's hole: an island.
void CheckIslands(const Layer& layer, const std::vector<TLayerOutline>& outlines,
                  TCheckContext& c) {
    std::vector<TBoxEntry> holes;
    for (size_t k = 0; k < outlines.size(); ++k)
        if (outlines[k].hole)
            holes.emplace_back(BoxOf(outlines[k].outline->bounds), k);
    if (holes.empty())
        return;
    const TBoxTree tree(holes.begin(), holes.end());
    std::vector<TBoxEntry> around;
    for (size_t part = 0; part < layer.shapes.size(); ++part) {
        const Shape& island = layer.shapes[part];
        around.clear();
        tree.query(bgi::contains(BoxOf(island.bounds)), std::back_inserter(around));
        for (const TBoxEntry& entry : around) {
            const TLayerOutline& hole = outlines[entry.second];
            if (hole.part == part ||
                !InsidePolygon(Polygon(*hole.outline, c.tolerance * 1e3), FirstPoint(island)))
                continue;
            c.Add("islandFallsOut", Severity::Info, layer.name, static_cast<int64_t>(part),
                  Middle(island.bounds),
                  "part " + std::to_string(part) + " lies in a hole of part " +
                      std::to_string(hole.part) +
                      ": it is cut free and drops out as a piece of its own; add tabs if it "
                      "must stay");
            break;
        }
    }
}
} // namespace

void CheckDuplicatesAndIslands(const Layer& layer, TCheckContext& c) {
    const std::vector<TLayerOutline> outlines = OutlinesOf(layer);
    CheckDuplicates(layer, outlines, c);
    CheckIslands(layer, outlines, c);
}

} // namespace quillform::detail
