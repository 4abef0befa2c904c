// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/edge_stretches.h"

#include "expand/carrier_index.h"
#include "model/geometry_constants.h"

#include <cmath>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace quillform::detail {

namespace {
double Length(TPoint2D a, TPoint2D b);

TStretch LineStretch(void* item, const char* layer, TPoint2D first, TPoint2D second,
                     double angleTolerance) {
    double angle = std::atan2(second.Y - first.Y, second.X - first.X);
    if (angle < 0)
        angle += kPi;
    if (angle >= kPi - angleTolerance) // nearly flat either way: one direction
        angle -= kPi;
    const double ux = std::cos(angle), uy = std::sin(angle);
    TStretch t;
    t.item = item;
    t.layer = layer;
    t.key[0] = angle;
    t.key[1] = ux * first.Y - uy * first.X;
    const double a = ux * first.X + uy * first.Y, b = ux * second.X + uy * second.Y;
    t.lo = std::min(a, b);
    t.hi = std::max(a, b);
    t.loEnd = a <= b ? first : second;
    t.hiEnd = a <= b ? second : first;
    return t;
}

// An arc as its circle and its ends in the direction it runs.
struct TCurve {
    TPoint2D center;
    double radius = 0;
    TPoint2D from, to;
    bool clockwise = false;
};

double Direction(TPoint2D p, TPoint2D center) {
    const double angle = std::atan2(p.Y - center.Y, p.X - center.X);
    return angle < 0 ? angle + 2 * kPi : angle;
}

// The arc's stretch as it runs counter-clockwise, from its ends (whatever
// its angle fields say): ends that meet make the whole circle. Positions
// are lengths (angle times radius) from the direction 0.
TStretch ArcStretch(void* item, const char* layer, const TCurve& c) {
    TStretch t;
    t.item = item;
    t.layer = layer;
    t.loEnd = c.clockwise ? c.to : c.from;
    t.hiEnd = c.clockwise ? c.from : c.to;
    const double start = Direction(t.loEnd, c.center);
    double sweep = Direction(t.hiEnd, c.center) - start;
    if (sweep <= 0)
        sweep += 2 * kPi;
    t.key[0] = c.center.X;
    t.key[1] = c.center.Y;
    t.key[2] = c.radius;
    t.lo = start * c.radius;
    t.hi = (start + sweep) * c.radius;
    return t;
}

TCurve CurveOf(const TDXFArc& a) {
    return {TPoint2D(a.CenterX, a.CenterY), a.Radius, TPoint2D(a.StartX, a.StartY),
            TPoint2D(a.EndX, a.EndY), a.Clockwise != 0};
}

// The stretches of one kind of carrier in one read.
class TStretchMaker {
public:
    TStretchMaker(double tolerance, TCarrierKind kind)
        : tolerance_(tolerance), angleTolerance_(AngleTolerance(tolerance)), kind_(kind) {}

    // What becomes of the stretches made: the loose ones entered in the
    // index, the fixed ones the index may hold counted, or either kept.
    enum class TMode { Index, Count, Keep };

    void Start(TMode mode) {
        mode_ = mode;
        if (mode == TMode::Index)
            index_.emplace(kind_ == TCarrierKind::Circles ? tolerance_ : angleTolerance_,
                           tolerance_, kind_ == TCarrierKind::Circles ? tolerance_ : 0);
        if (mode == TMode::Count)
            index_->Finish();
    }

    // Sized once: a stretch is large, and a growing vector holds two copies.
    void Reserve(size_t count) { all_.reserve(count); }
    size_t Counted() const { return counted_; }

    void AddSegment(TDXFSegment* s) {
        const TPoint2D first(s->X1, s->Y1), second(s->X2, s->Y2);
        if (Length(first, second) > tolerance_)
            Keep(LineStretch(s, s->Layer.get(), first, second, angleTolerance_));
    }

    void AddArc(TDXFArc* a) {
        const TStretch t = ArcStretch(a, a->Layer.get(), CurveOf(*a));
        if (t.hi - t.lo > tolerance_)
            Keep(t);
    }

    void AddCircle(TDXFCircle* circle) {
        if (circle->Radius <= tolerance_ || Passed())
            return;
        const TPoint2D start(circle->Center.X + circle->Radius, circle->Center.Y);
        TStretch t = ArcStretch(circle, circle->Layer.get(),
                                {circle->Center, circle->Radius, start, start, false});
        t.fixed = true;
        Keep(t);
    }

    // Every edge of the polyline; edges of no length (repeated vertices)
    // are no entities of their own and are passed over.
    void AddPolyline(TDXFPolygon* polyline) {
        if (polyline->Count < 3)
            return;
        const bool closed = (*static_cast<const int32_t*>(polyline->Head->Item) & 1) != 0;
        for (const TListaNode* v = polyline->Head->Next; v; v = v->Next) {
            if (!v->Next && !(closed && polyline->Count > 2))
                break;
            const auto& from = *static_cast<const dxf_info*>(v->Item);
            const auto& to =
                *static_cast<const dxf_info*>((v->Next ? v->Next : polyline->Head->Next)->Item);
            AddPolylineEdge(polyline, from, to);
        }
    }

    std::vector<TStretch> Take() { return std::move(all_); }

private:
    double tolerance_, angleTolerance_;
    TCarrierKind kind_;
    std::vector<TStretch> all_;
    std::optional<TCarrierIndex> index_;
    TMode mode_ = TMode::Keep;
    size_t counted_ = 0;
    std::vector<bool> mayHold_; // each fixed edge's answer, in the order counted
    size_t next_ = 0;           // the next of them while kept

    void AddPolylineEdge(TDXFPolygon* polyline, const dxf_info& from, const dxf_info& to) {
        const TPoint2D a(from.x, from.y), b(to.x, to.y);
        if ((from.is_arc != 0) != (kind_ == TCarrierKind::Circles) || Length(a, b) <= tolerance_ ||
            Passed())
            return;
        const char* layer = polyline->Layer.get();
        TStretch t = from.is_arc ? ArcStretch(polyline, layer,
                                              {TPoint2D(from.center_x, from.center_y), from.radius,
                                               a, b, from.clockwise != 0})
                                 : LineStretch(polyline, layer, a, b, angleTolerance_);
        t.fixed = true;
        Keep(t);
    }

    void Keep(const TStretch& t) {
        if (mode_ == TMode::Index)
            return index_->Add(t), void(++counted_);
        if (mode_ == TMode::Count) {
            const bool may = index_->MayHold(t);
            mayHold_.push_back(may);
            return void(counted_ += may);
        }
        all_.push_back(t); // a fixed edge gets here only when counted as one that may
    }

    // Whether the fixed edge met now (in the order of the count) was
    // answered no when counted: its stretch, costly to make, is not made
    // again. Fixed edges are kept only after they were counted.
    bool Passed() { return mode_ == TMode::Keep && !mayHold_.at(next_++); }
};

double Length(TPoint2D a, TPoint2D b) {
    return std::hypot(b.X - a.X, b.Y - a.Y);
}
} // namespace

namespace {
void AddLoose(const TEntityLists& lists, TCarrierKind kind, TStretchMaker& maker) {
    if (kind == TCarrierKind::Lines)
        for (const TListaNode* n = lists.Segments.Head; n; n = n->Next)
            maker.AddSegment(static_cast<TDXFSegment*>(n->Item));
    else
        for (const TListaNode* n = lists.Arcs.Head; n; n = n->Next)
            maker.AddArc(static_cast<TDXFArc*>(n->Item));
}

void AddFixed(const TEntityLists& lists, TCarrierKind kind, TStretchMaker& maker) {
    if (kind == TCarrierKind::Circles)
        for (const TListaNode* n = lists.Circles.Head; n; n = n->Next)
            maker.AddCircle(static_cast<TDXFCircle*>(n->Item));
    for (const TListaNode* n = lists.Polylines.Head; n; n = n->Next)
        maker.AddPolyline(static_cast<TDXFPolygon*>(n->Item));
}
} // namespace

// The stretches are made twice over (once to index or count them) so that
// the vector is sized once for exactly what it holds.
std::vector<TStretch> Stretches(const TEntityLists& lists, double tolerance, TCarrierKind kind,
                                bool withFixed) {
    TStretchMaker maker(tolerance, kind);
    maker.Start(TStretchMaker::TMode::Index);
    AddLoose(lists, kind, maker);
    size_t count = maker.Counted();
    if (withFixed) {
        maker.Start(TStretchMaker::TMode::Count);
        AddFixed(lists, kind, maker);
        count = maker.Counted();
    }
    maker.Start(TStretchMaker::TMode::Keep);
    maker.Reserve(count);
    AddLoose(lists, kind, maker);
    if (withFixed)
        AddFixed(lists, kind, maker);
    return maker.Take();
}

void NoteTinyEntities(const TEntityLists& lists, double tolerance, quillform::Diagnostics& report) {
    const auto tiny = [&](const char* layer, TPoint2D at) {
        report.Note("tinyEntities", layer ? layer : "", quillform::Point{at.X, at.Y});
    };
    for (const TListaNode* n = lists.Segments.Head; n; n = n->Next) {
        const auto* s = static_cast<const TDXFSegment*>(n->Item);
        if (Length(TPoint2D(s->X1, s->Y1), TPoint2D(s->X2, s->Y2)) <= tolerance)
            tiny(s->Layer.get(), TPoint2D(s->X1, s->Y1));
    }
    for (const TListaNode* n = lists.Arcs.Head; n; n = n->Next) {
        auto* a = static_cast<TDXFArc*>(n->Item);
        const TStretch t = ArcStretch(a, nullptr, CurveOf(*a));
        if (t.hi - t.lo <= tolerance)
            tiny(a->Layer.get(), TPoint2D(a->StartX, a->StartY));
    }
    for (const TListaNode* n = lists.Circles.Head; n; n = n->Next) {
        const auto* circle = static_cast<const TDXFCircle*>(n->Item);
        if (circle->Radius <= tolerance)
            tiny(circle->Layer.get(), circle->Center);
    }
}

// Each name is looked up once per run of stretches that share its copy (the
// edges of one polyline): every record holds a copy of its own, so hashing
// them means reading each one from memory. Stretches first get their name's
// place of first sight, then its rank.
void RankLayers(std::vector<TStretch>& all) {
    std::unordered_map<std::string_view, uint32_t> seen;
    std::vector<std::string_view> names;
    const char* last = nullptr;
    uint32_t lastId = 0;
    for (TStretch& s : all) {
        const char* layer = s.layer ? s.layer : "";
        if (names.empty() || layer != last) {
            const auto [entry, added] = seen.emplace(layer, static_cast<uint32_t>(names.size()));
            if (added)
                names.push_back(entry->first);
            last = layer;
            lastId = entry->second;
        }
        s.layerRank = lastId;
    }
    std::vector<uint32_t> order(names.size());
    for (uint32_t k = 0; k < order.size(); ++k)
        order[k] = k;
    std::sort(order.begin(), order.end(),
              [&names](uint32_t a, uint32_t b) { return names[a] < names[b]; });
    std::vector<uint32_t> rank(names.size());
    for (uint32_t k = 0; k < order.size(); ++k)
        rank[order[k]] = k;
    for (TStretch& s : all)
        s.layerRank = rank[s.layerRank];
}

void RemoveItems(TLista& list, const std::unordered_set<void*>& removed, void (*destroy)(void*)) {
    for (TListaNode* node = list.Head; node;) {
        if (!removed.count(node->Item)) {
            node = node->Next;
            continue;
        }
        destroy(node->Item);
        node = list.Remove(node);
    }
}

void SetLine(TDXFSegment& s, TPoint2D from, TPoint2D to) {
    s.X1 = from.X;
    s.Y1 = from.Y;
    s.X2 = to.X;
    s.Y2 = to.Y;
}

void SetArc(TDXFArc& a, double lo, double hi, TPoint2D loEnd, TPoint2D hiEnd) {
    const auto degrees = [](double angle) {
        const double d = std::fmod(angle, 360.0);
        return d < 0 ? d + 360 : d;
    };
    a.Clockwise = 0;
    a.StartX = loEnd.X;
    a.StartY = loEnd.Y;
    a.EndX = hiEnd.X;
    a.EndY = hiEnd.Y;
    a.Sweep = (hi - lo) / a.Radius * 180 / kPi;
    a.StartAngle = degrees(lo / a.Radius * 180 / kPi);
    a.EndAngle = degrees(a.StartAngle + a.Sweep);
}

TPoint2D OnLine(const TStretch& s, double at) {
    const double angle = s.key[0];
    const double ux = std::cos(angle), uy = std::sin(angle);
    return TPoint2D(ux * at - uy * s.key[1], uy * at + ux * s.key[1]);
}

TPoint2D OnCircle(const TStretch& s, double at) {
    const double angle = at / s.key[2];
    return TPoint2D(s.key[0] + s.key[2] * std::cos(angle), s.key[1] + s.key[2] * std::sin(angle));
}

} // namespace quillform::detail
