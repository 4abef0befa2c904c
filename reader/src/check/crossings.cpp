// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Outlines that cross themselves or each other: every edge of a layer in one
// box index, each edge tested against the edges whose boxes meet its own.
#include "check/check_context.h"
#include "check/check_edges.h"
#include "check/layer_outlines.h"
#include "check/meeting_point.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <set>
#include <unordered_map>

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

// Edges drawn over each other many times (a line repeated thousands of
// times is common in exported drawings) are one group: they never cross each
// other, and what crosses one crosses all, so each group is tested once.
using TGroupKey = std::array<double, 10>;

TGroupKey KeyOf(const TCheckEdge& e) {
    Point from = e.from, to = e.to;
    double sweep = e.sweep;
    if (std::make_pair(to.x, to.y) < std::make_pair(from.x, from.y)) {
        std::swap(from, to);
        sweep = -sweep;
    }
    if (!e.arc)
        return {0, from.x, from.y, to.x, to.y, 0, 0, 0, 0, e.slack};
    return {1, from.x, from.y, to.x, to.y, e.center.x, e.center.y, e.radius, sweep, e.slack};
}

struct TGroupKeyHash {
    size_t operator()(const TGroupKey& key) const {
        size_t h = 0;
        for (const double v : key)
            h = h * 1000003u ^ std::hash<double>()(v);
        return h;
    }
};

// The groups' edges one group after the other, each group's in the order of
// the edges: `edges[start[g]]` up to `edges[start[g + 1]]`.
struct TGroups {
    std::vector<size_t> start, edges;
    size_t Size() const { return start.size() - 1; }
    size_t First(size_t g) const { return edges[start[g]]; }
};

TGroups Groups(const std::vector<TIndexedEdge>& edges) {
    std::vector<size_t> groupOf(edges.size());
    std::unordered_map<TGroupKey, size_t, TGroupKeyHash> byKey;
    byKey.reserve(edges.size());
    for (size_t k = 0; k < edges.size(); ++k)
        groupOf[k] = byKey.try_emplace(KeyOf(edges[k].edge), byKey.size()).first->second;
    TGroups groups;
    groups.start.assign(byKey.size() + 1, 0);
    for (const size_t g : groupOf)
        ++groups.start[g + 1];
    for (size_t g = 0; g < byKey.size(); ++g)
        groups.start[g + 1] += groups.start[g];
    groups.edges.resize(edges.size());
    std::vector<size_t> next(groups.start.begin(), groups.start.end() - 1);
    for (size_t k = 0; k < edges.size(); ++k)
        groups.edges[next[groupOf[k]]++] = k;
    return groups;
}

TBoxTree GroupTree(const std::vector<TIndexedEdge>& edges, const TGroups& groups) {
    std::vector<TBoxEntry> entries;
    entries.reserve(groups.Size());
    for (size_t g = 0; g < groups.Size(); ++g)
        entries.emplace_back(BoxOf(EdgeBox(edges[groups.First(g)].edge)), g);
    return TBoxTree(entries.begin(), entries.end());
}

// One finding per outline that crosses itself and per pair that cross.
class TCrossingFinder {
public:
    TCrossingFinder(const Layer& layer, TCheckContext& context)
        : layer_(layer), c_(context), outlines_(OutlinesOf(layer)), edges_(LayerEdges(outlines_)),
          groups_(Groups(edges_)), tree_(GroupTree(edges_, groups_)) {}

    // Groups in the order of their first edges, and the groups near each in
    // that order too, so the place reported does not depend on the index.
    void Run() {
        std::vector<TBoxEntry> near;
        for (size_t g = 0; g < groups_.Size(); ++g) {
            near.clear();
            const TCheckEdge& edge = edges_[groups_.First(g)].edge;
            tree_.query(bgi::intersects(BoxOf(EdgeBox(edge))), std::back_inserter(near));
            std::sort(near.begin(), near.end(),
                      [](const TBoxEntry& a, const TBoxEntry& b) { return a.second < b.second; });
            for (const TBoxEntry& other : near)
                if (other.second > g)
                    TestGroups(g, other.second);
        }
    }

private:
    void TestGroups(size_t g, size_t h) {
        const TCheckEdge& a = edges_[groups_.First(g)].edge;
        const TCheckEdge& b = edges_[groups_.First(h)].edge;
        const std::vector<Point> crossings = Crossings(a, b, c_.tolerance);
        const std::vector<Point> contacts = crossings.empty() ? Contacts(a, b) : crossings;
        if (contacts.empty())
            return;
        for (size_t i = groups_.start[g]; i < groups_.start[g + 1]; ++i)
            for (size_t j = groups_.start[h]; j < groups_.start[h + 1]; ++j) {
                if (crossings.empty())
                    TestContacts(groups_.edges[i], groups_.edges[j], contacts);
                else
                    Test(edges_[groups_.edges[i]], edges_[groups_.edges[j]], crossings);
            }
    }

    // Ends of either edge that lie on the other.
    std::vector<Point> Contacts(const TCheckEdge& a, const TCheckEdge& b) const {
        std::vector<Point> contacts;
        for (const Point& end : {a.from, a.to})
            if (OnEdge(b, end, c_.tolerance))
                contacts.push_back(end);
        for (const Point& end : {b.from, b.to})
            if (OnEdge(a, end, c_.tolerance))
                contacts.push_back(end);
        return contacts;
    }

    // Where the edge `k` ends at `p`, its outline leaves along it and along
    // the edge that meets it there; elsewhere both ways along it.
    TWays WaysAt(size_t k, Point p) const {
        const TIndexedEdge& e = edges_[k];
        const size_t first = k - e.index;
        const auto at = [&](Point end, double slack) {
            return std::hypot(p.x - end.x, p.y - end.y) <= c_.tolerance + slack;
        };
        if (at(e.edge.from, 0)) {
            const TCheckEdge& before = edges_[first + (e.index + e.count - 1) % e.count].edge;
            return TWays{Heading(e.edge, p, true), Heading(before, p, false)};
        }
        if (at(e.edge.to, e.edge.slack)) {
            const TCheckEdge& after = edges_[first + (e.index + 1) % e.count].edge;
            return TWays{Heading(e.edge, p, false), Heading(after, p, true)};
        }
        return TWays{Heading(e.edge, p, true), Heading(e.edge, p, false)};
    }

    void TestContacts(size_t i, size_t j, const std::vector<Point>& contacts) {
        const TIndexedEdge& a = edges_[i];
        const TIndexedEdge& b = edges_[j];
        const size_t first = std::min(a.outline, b.outline),
                     second = std::max(a.outline, b.outline);
        if (reported_.count({first, second}) || Consecutive(a, b))
            return;
        for (const Point& p : contacts)
            if (WaysCross(WaysAt(i, p), WaysAt(j, p))) {
                reported_.insert({first, second});
                Report(outlines_[first], outlines_[second], first == second, p);
                return;
            }
    }

    void Test(const TIndexedEdge& a, const TIndexedEdge& b, std::vector<Point> crossings) {
        const size_t first = std::min(a.outline, b.outline),
                     second = std::max(a.outline, b.outline);
        if (reported_.count({first, second}))
            return;
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
    TGroups groups_;
    TBoxTree tree_;
    std::set<std::pair<size_t, size_t>> reported_;
};
} // namespace

void CheckCrossings(const Layer& layer, TCheckContext& context) {
    TCrossingFinder(layer, context).Run();
}

} // namespace quillform::detail
