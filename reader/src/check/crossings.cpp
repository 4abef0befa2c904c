// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Outlines that cross themselves or each other: every edge of a layer in one
// box index, each edge tested against the edges whose boxes meet its own.
#include "check/check_context.h"
#include "check/check_edges.h"
#include "check/layer_outlines.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace quillform::detail {

std::vector<TLayerOutline> OutlinesOf(const Layer& layer) {
    std::vector<TLayerOutline> outlines;
    for (size_t part = 0; part < layer.shapes.size(); ++part) {
        const Shape& shape = layer.shapes[part];
        outlines.push_back(TLayerOutline{&shape, part, false});
        for (const Outline& hole : shape.holes)
            outlines.push_back(TLayerOutline{&hole, part, true});
    }
    return outlines;
}

namespace {
struct TIndexedEdge {
    TCheckEdge edge;
    size_t outline = 0;
    size_t index = 0, count = 0; // its place in the outline, and the outline's edges
};

// Edges of one outline, one after the other: they meet at a vertex where
// they may touch within the linking's slack without crossing.
bool Consecutive(const TIndexedEdge& a, const TIndexedEdge& b) {
    return a.outline == b.outline &&
           ((a.index + 1) % a.count == b.index || (b.index + 1) % b.count == a.index);
}

bool NearEnds(const TIndexedEdge& a, const TIndexedEdge& b, Point p, double tolerance) {
    const double reach = a.edge.slack + b.edge.slack + tolerance;
    for (const Point& end : {a.edge.from, a.edge.to})
        if (std::hypot(p.x - end.x, p.y - end.y) <= reach)
            return true;
    return false;
}

std::vector<TIndexedEdge> LayerEdges(const std::vector<TLayerOutline>& outlines) {
    std::vector<TIndexedEdge> edges;
    for (size_t k = 0; k < outlines.size(); ++k) {
        const std::vector<TCheckEdge> own = EdgesOf(*outlines[k].outline);
        for (size_t i = 0; i < own.size(); ++i)
            edges.push_back(TIndexedEdge{own[i], k, i, own.size()});
    }
    return edges;
}

TBoxTree EdgeTree(const std::vector<TIndexedEdge>& edges) {
    std::vector<TBoxEntry> entries;
    entries.reserve(edges.size());
    for (size_t k = 0; k < edges.size(); ++k)
        entries.emplace_back(BoxOf(EdgeBox(edges[k].edge)), k);
    return TBoxTree(entries.begin(), entries.end());
}

// One finding per outline that crosses itself and per pair that cross.
class TCrossingFinder {
public:
    TCrossingFinder(const Layer& layer, TCheckContext& context)
        : layer_(layer), c_(context), outlines_(OutlinesOf(layer)), edges_(LayerEdges(outlines_)),
          tree_(EdgeTree(edges_)) {}

    void Run() {
        std::vector<TBoxEntry> near;
        for (size_t k = 0; k < edges_.size(); ++k) {
            near.clear();
            tree_.query(bgi::intersects(BoxOf(EdgeBox(edges_[k].edge))), std::back_inserter(near));
            for (const TBoxEntry& other : near)
                if (other.second > k)
                    Test(edges_[k], edges_[other.second]);
        }
    }

private:
    void Test(const TIndexedEdge& a, const TIndexedEdge& b) {
        const size_t first = std::min(a.outline, b.outline),
                     second = std::max(a.outline, b.outline);
        if (reported_.count({first, second}))
            return;
        std::vector<Point> crossings = Crossings(a.edge, b.edge, c_.tolerance);
        if (Consecutive(a, b))
            crossings.erase(
                std::remove_if(crossings.begin(), crossings.end(),
                               [&](const Point& p) { return NearEnds(a, b, p, c_.tolerance); }),
                crossings.end());
        if (crossings.empty())
            return;
        reported_.insert({first, second});
        Report(outlines_[first], outlines_[second], first == second, crossings.front());
    }

    void Report(const TLayerOutline& a, const TLayerOutline& b, bool self, Point at) {
        const int64_t part = static_cast<int64_t>(a.part);
        if (self)
            c_.Add("selfIntersection", Severity::Error, layer_.name, part, at,
                   std::string(a.hole ? "a hole" : "an outline") + " of part " +
                       std::to_string(part) + " crosses itself at " + Place(at) +
                       "; redraw it so that its edges meet only end to end");
        else
            c_.Add("outlinesCross", Severity::Error, layer_.name, part, at,
                   "two outlines (of parts " + std::to_string(part) + " and " +
                       std::to_string(b.part) + ") cross at " + Place(at) +
                       "; move them apart, or join them into one outline");
    }

    const Layer& layer_;
    TCheckContext& c_;
    std::vector<TLayerOutline> outlines_;
    std::vector<TIndexedEdge> edges_;
    TBoxTree tree_;
    std::set<std::pair<size_t, size_t>> reported_;
};
} // namespace

void CheckCrossings(const Layer& layer, TCheckContext& context) {
    TCrossingFinder(layer, context).Run();
}

} // namespace quillform::detail
