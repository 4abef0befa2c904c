// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// A LINE drawn again over a side of a closed POLYLINE, an ARC over a
// CIRCLE: the loose edge would be cut a second time and, left alone, would
// show as an open chain. The fixed edges stay; the loose ones give way.
#include "expand/covered_edges.h"

#include "expand/edge_stretches.h"
#include "model/geometry_constants.h"
#include "model/mapped_copy.h"

#include <algorithm>
#include <vector>

namespace quillform::detail {

namespace {
// A stretch of a carrier and its exact ends.
struct TSpan {
    double lo = 0, hi = 0;
    TPoint2D loEnd, hiEnd;
};

// The stretches the fixed edges of one carrier cover, joined where they
// overlap or meet, in order. On a circle each is also seen one turn back and
// on, so that an edge passing angle 0 meets them.
std::vector<TSpan> Covers(TStretchIt begin, TStretchIt end, double round, double tolerance) {
    std::vector<TSpan> spans;
    for (auto it = begin; it != end; ++it)
        if (it->fixed)
            for (double shift : {-round, 0.0, round}) {
                spans.push_back({it->lo + shift, it->hi + shift, it->loEnd, it->hiEnd});
                if (round == 0)
                    break;
            }
    std::sort(spans.begin(), spans.end(),
              [](const TSpan& a, const TSpan& b) { return a.lo < b.lo; });
    std::vector<TSpan> joined;
    for (const TSpan& s : spans) {
        if (!joined.empty() && s.lo <= joined.back().hi + tolerance) {
            if (s.hi > joined.back().hi) {
                joined.back().hi = s.hi;
                joined.back().hiEnd = s.hiEnd;
            }
            continue;
        }
        joined.push_back(s);
    }
    return joined;
}

// What of the loose edge no cover covers.
std::vector<TSpan> Uncovered(const TStretch& edge, const std::vector<TSpan>& covers,
                             double tolerance) {
    auto cover = std::upper_bound(covers.begin(), covers.end(), edge.lo + tolerance,
                                  [](double at, const TSpan& c) { return at < c.hi; });
    std::vector<TSpan> pieces;
    TSpan rest{edge.lo, edge.hi, edge.loEnd, edge.hiEnd};
    for (; cover != covers.end() && cover->lo < edge.hi - tolerance; ++cover) {
        if (cover->lo > rest.lo + tolerance)
            pieces.push_back({rest.lo, cover->lo, rest.loEnd, cover->loEnd});
        rest.lo = cover->hi;
        rest.loEnd = cover->hiEnd;
    }
    if (rest.hi > rest.lo + tolerance)
        pieces.push_back(rest);
    return pieces;
}

double Length(const std::vector<TSpan>& pieces) {
    double total = 0;
    for (const TSpan& p : pieces)
        total += p.hi - p.lo;
    return total;
}

// Gives each piece an edge: the loose edge itself for the first, copies of
// it for the others; none left, the edge goes.
class TEdgeCutter {
public:
    TEdgeCutter(TEntityLists& lists, quillform::Diagnostics& report)
        : lists_(lists), report_(report) {}

    void Cut(const TStretch& edge, const std::vector<TSpan>& pieces, bool arc) {
        AddMerged(report_, edge.layer ? edge.layer : "", edge.hi - edge.lo - Length(pieces));
        if (pieces.empty())
            return void((arc ? removedArcs_ : removedLines_).insert(edge.item));
        for (size_t k = 0; k < pieces.size(); ++k)
            arc ? Place(*Arc(edge, k), pieces[k]) : Place(*Line(edge, k), pieces[k]);
    }

    ~TEdgeCutter() {
        RemoveItems(lists_.Segments, removedLines_,
                    [](void* item) { delete static_cast<TDXFSegment*>(item); });
        RemoveItems(lists_.Arcs, removedArcs_,
                    [](void* item) { delete static_cast<TDXFArc*>(item); });
    }

private:
    TEntityLists& lists_;
    quillform::Diagnostics& report_;
    std::unordered_set<void*> removedLines_, removedArcs_;

    static void Place(TDXFSegment& s, const TSpan& p) { SetLine(s, p.loEnd, p.hiEnd); }
    static void Place(TDXFArc& a, const TSpan& p) { SetArc(a, p.lo, p.hi, p.loEnd, p.hiEnd); }

    TDXFSegment* Line(const TStretch& edge, size_t k) {
        auto* s = static_cast<TDXFSegment*>(edge.item);
        if (k == 0)
            return s;
        auto* copy =
            MappedSegment(*s, s->Layer.get(), [](double x, double y) { return TPoint2D(x, y); });
        Append(lists_.Segments, copy);
        return copy;
    }

    TDXFArc* Arc(const TStretch& edge, size_t k) {
        auto* a = static_cast<TDXFArc*>(edge.item);
        if (k == 0)
            return a;
        auto* copy = new TDXFArc();
        static_cast<TArc&>(*copy) = *a;
        copy->Layer = quillform::CopyName(a->Layer.get());
        Append(lists_.Arcs, copy);
        return copy;
    }

    template <typename T> static void Append(TLista& list, T* item) {
        if (!list.Add(item)) {
            delete item;
            throw std::bad_alloc();
        }
    }
};

template <typename Cut>
void CutCarrier(TStretchIt begin, TStretchIt end, double round, double tolerance, Cut cut) {
    const bool loose = std::any_of(begin, end, [](const TStretch& s) { return !s.fixed; });
    if (!loose || std::all_of(begin, end, [](const TStretch& s) { return !s.fixed; }))
        return;
    const std::vector<TSpan> covers = Covers(begin, end, round, tolerance);
    for (auto it = begin; it != end; ++it) {
        if (it->fixed)
            continue;
        std::vector<TSpan> pieces = Uncovered(*it, covers, tolerance);
        if (pieces.size() == 1 && pieces[0].lo == it->lo && pieces[0].hi == it->hi)
            continue; // nothing of it covered
        cut(*it, pieces);
    }
}

void CutLines(const TEntityLists& lists, double tolerance, TEdgeCutter& cutter) {
    std::vector<TStretch> lines = Stretches(lists, tolerance, TCarrierKind::Lines, true);
    ForEachCarrier(lines, {AngleTolerance(tolerance), tolerance, 0}, [&](auto begin, auto end) {
        CutCarrier(begin, end, 0, tolerance, [&](const TStretch& edge, const auto& pieces) {
            cutter.Cut(edge, pieces, false);
        });
    });
}

void CutArcs(const TEntityLists& lists, double tolerance, TEdgeCutter& cutter) {
    std::vector<TStretch> arcs = Stretches(lists, tolerance, TCarrierKind::Circles, true);
    ForEachCarrier(arcs, {tolerance, tolerance, tolerance}, [&](auto begin, auto end) {
        const double round = 2 * kPi * begin->key[2];
        CutCarrier(begin, end, round, tolerance, [&](const TStretch& edge, const auto& pieces) {
            cutter.Cut(edge, pieces, true);
        });
    });
}
} // namespace

void CutCoveredEdges(TEntityLists& lists, double tolerance, bool lines, bool arcs,
                     quillform::Diagnostics& report) {
    TEdgeCutter cutter(lists, report);
    if (lines)
        CutLines(lists, tolerance, cutter);
    if (arcs)
        CutArcs(lists, tolerance, cutter);
}

void AddMerged(quillform::Diagnostics& report, const char* layer, double length) {
    report.Warn("overlapsMerged", layer);
    for (quillform::Warning& w : report.warnings)
        if (w.code == "overlapsMerged" && w.layer == layer)
            w.value += length;
}

} // namespace quillform::detail
