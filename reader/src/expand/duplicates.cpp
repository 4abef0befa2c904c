// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Double cuts: the same line, arc, circle or closed outline drawn twice.
#include "expand/duplicates.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

namespace quillform::detail {

namespace {
const dxf_info& VertexAt(const TListaNode* node) {
    return *static_cast<const dxf_info*>(node->Item);
}

// Points within the tolerance of each other land in the same or a
// neighbouring cell of a grid whose cells are as wide as the tolerance.
class TPointGrid {
public:
    explicit TPointGrid(double cell) : cell_(cell > 0 ? cell : 1e-300) {}

    void Add(TPoint2D p, size_t item) { cells_[Key(Cell(p.X), Cell(p.Y))].push_back(item); }
    void Clear() { cells_.clear(); }

    // Every item filed near p.
    template <typename Visit> bool AnyNear(TPoint2D p, Visit visit) const {
        const long long cx = Cell(p.X), cy = Cell(p.Y);
        for (long long dx = -1; dx <= 1; ++dx)
            for (long long dy = -1; dy <= 1; ++dy) {
                const auto found = cells_.find(Key(cx + dx, cy + dy));
                if (found == cells_.end())
                    continue;
                for (size_t item : found->second)
                    if (visit(item))
                        return true;
            }
        return false;
    }

private:
    long long Cell(double v) const {
        const double c = std::floor(v / cell_);
        return std::isfinite(c) && std::fabs(c) < 4e18 ? static_cast<long long>(c) : 0;
    }
    // Cells that share a key are merely searched together.
    static uint64_t Key(long long x, long long y) {
        return static_cast<uint64_t>(x) * 0x9E3779B97F4A7C15ull ^ static_cast<uint64_t>(y);
    }

    double cell_;
    std::unordered_map<uint64_t, std::vector<size_t>> cells_;
};

struct TEnds {
    TPoint2D first, second;
};

TPoint2D Middle(TPoint2D a, TPoint2D b) {
    return TPoint2D((a.X + b.X) / 2, (a.Y + b.Y) / 2);
}

class TDuplicateFinder {
public:
    explicit TDuplicateFinder(double tolerance) : t_(tolerance), grid_(tolerance) {}

    bool Near(TPoint2D a, TPoint2D b) const {
        return std::fabs(a.X - b.X) <= t_ && std::fabs(a.Y - b.Y) <= t_;
    }
    bool Near(double a, double b) const { return std::fabs(a - b) <= t_; }

    // Removes from the list every item that `same` finds equal to an earlier
    // one of its layer; `anchor` gives the point an item is filed under.
    template <typename Item, typename Anchor, typename Same>
    void Sweep(TLista& list, Anchor anchor, Same same, void (*destroy)(Item*),
               quillform::Diagnostics& report) {
        std::vector<const Item*> kept;
        kept.reserve(static_cast<size_t>(std::max(list.Count, 0)));
        for (TListaNode* node = list.Head; node;) {
            auto* item = static_cast<Item*>(node->Item);
            const bool repeat = grid_.AnyNear(anchor(*item), [&](size_t k) {
                return SameLayer(*kept[k], *item) && same(*kept[k], *item);
            });
            if (!repeat) {
                grid_.Add(anchor(*item), kept.size());
                kept.push_back(item);
                node = node->Next;
                continue;
            }
            report.Warn("duplicates", item->Layer ? item->Layer.get() : "");
            destroy(item);
            node = list.Remove(node);
        }
        grid_.Clear();
    }

private:
    template <typename Item> static bool SameLayer(const Item& a, const Item& b) {
        return SameName(a.Layer.get(), b.Layer.get());
    }

    double t_;
    TPointGrid grid_;
};

template <typename T> void Delete(T* item) {
    delete item;
}

void DestroyRaw(TDXFPolygon* polyline) {
    DestroyPolygon(polyline);
}

bool IsClosed(const TDXFPolygon& polyline) {
    return polyline.Head && (*static_cast<const int32_t*>(polyline.Head->Item) & 1);
}

std::vector<const dxf_info*> Vertices(const TDXFPolygon& polyline) {
    std::vector<const dxf_info*> vertices;
    for (const TListaNode* n = polyline.Head ? polyline.Head->Next : nullptr; n; n = n->Next)
        vertices.push_back(&VertexAt(n));
    return vertices;
}

// The mean of the vertices: the same for an outline written from any
// vertex or either way round.
TPoint2D MeanVertex(const TDXFPolygon& polyline) {
    const auto vertices = Vertices(polyline);
    double x = 0, y = 0;
    for (const dxf_info* v : vertices) {
        x += v->x;
        y += v->y;
    }
    const double n = vertices.empty() ? 1 : static_cast<double>(vertices.size());
    return TPoint2D(x / n, y / n);
}
} // namespace

namespace {
bool SameEdge(const TDuplicateFinder& f, const dxf_info& a, const dxf_info& b, bool reversed) {
    if (a.is_arc != b.is_arc)
        return false;
    if (!a.is_arc)
        return true;
    const bool direction = reversed ? a.clockwise != b.clockwise : a.clockwise == b.clockwise;
    return direction &&
           f.Near(TPoint2D(a.center_x, a.center_y), TPoint2D(b.center_x, b.center_y)) &&
           f.Near(a.radius, b.radius);
}

// The same closed outline: the same vertices in the same cyclic order,
// forwards or backwards, with the same edges between them.
bool SameOutline(const TDuplicateFinder& f, const TDXFPolygon& a, const TDXFPolygon& b) {
    const auto va = Vertices(a), vb = Vertices(b);
    const size_t n = va.size();
    if (n == 0 || n != vb.size())
        return false;
    const auto point = [](const dxf_info* v) { return TPoint2D(v->x, v->y); };
    for (size_t shift = 0; shift < n; ++shift) {
        if (!f.Near(point(va[0]), point(vb[shift])))
            continue;
        bool forwards = true, backwards = true;
        for (size_t k = 0; k < n && (forwards || backwards); ++k) {
            const dxf_info* fa = va[k];
            forwards = forwards && f.Near(point(fa), point(vb[(shift + k) % n])) &&
                       SameEdge(f, *fa, *vb[(shift + k) % n], false);
            const dxf_info* back = vb[(shift + n - k) % n];
            const dxf_info* backEdge = vb[(shift + 2 * n - k - 1) % n];
            backwards =
                backwards && f.Near(point(fa), point(back)) && SameEdge(f, *fa, *backEdge, true);
        }
        if (forwards || backwards)
            return true;
    }
    return false;
}
} // namespace

void RemoveDuplicates(quillform::detail::TEntityLists& lists, double tolerance,
                      quillform::Diagnostics& report) {
    TDuplicateFinder f(tolerance);
    const auto segmentEnds = [](const TDXFSegment& s) {
        return TEnds{TPoint2D(s.X1, s.Y1), TPoint2D(s.X2, s.Y2)};
    };
    f.Sweep<TDXFSegment>(
        lists.Segments,
        [&](const TDXFSegment& s) { return Middle(segmentEnds(s).first, segmentEnds(s).second); },
        [&](const TDXFSegment& a, const TDXFSegment& b) {
            const TEnds ea = segmentEnds(a), eb = segmentEnds(b);
            return (f.Near(ea.first, eb.first) && f.Near(ea.second, eb.second)) ||
                   (f.Near(ea.first, eb.second) && f.Near(ea.second, eb.first));
        },
        Delete<TDXFSegment>, report);
    f.Sweep<TDXFCircle>(
        lists.Circles, [](const TDXFCircle& c) { return c.Center; },
        [&](const TDXFCircle& a, const TDXFCircle& b) {
            return f.Near(a.Center, b.Center) && f.Near(a.Radius, b.Radius);
        },
        Delete<TDXFCircle>, report);
    f.Sweep<TDXFArc>(
        lists.Arcs, [](const TDXFArc& a) { return TPoint2D(a.CenterX, a.CenterY); },
        [&](const TDXFArc& a, const TDXFArc& b) {
            if (!f.Near(a.Radius, b.Radius))
                return false;
            const TPoint2D as(a.StartX, a.StartY), ae(a.EndX, a.EndY);
            const TPoint2D bs(b.StartX, b.StartY), be(b.EndX, b.EndY);
            const bool same = a.Clockwise == b.Clockwise && f.Near(as, bs) && f.Near(ae, be);
            const bool reversed = a.Clockwise != b.Clockwise && f.Near(as, be) && f.Near(ae, bs);
            return same || reversed;
        },
        Delete<TDXFArc>, report);
    f.Sweep<TDXFPolygon>(
        lists.Polylines, MeanVertex,
        [&](const TDXFPolygon& a, const TDXFPolygon& b) {
            return IsClosed(a) && IsClosed(b) && SameOutline(f, a, b);
        },
        DestroyRaw, report);
}

} // namespace quillform::detail
