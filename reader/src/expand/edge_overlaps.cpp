// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Overlapping edges: sorted by the line (circle) they lie on, then swept
// along it, so that a drawing of n edges costs n log n.
#include "expand/edge_overlaps.h"

#include "model/geometry_constants.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <unordered_set>
#include <vector>

namespace quillform::detail {

namespace {
// One edge as a stretch [lo, hi] of the line or circle it lies on: `key`
// orders and groups edges of one carrier (layer, then the carrier's
// figures), `lo`/`hi` are positions along it (length along a line, angle on
// a circle), with the exact ends that lie there.
struct TStretch {
    void* item = nullptr;
    const char* layer = nullptr;
    double key[3] = {0, 0, 0};
    double lo = 0, hi = 0;
    TPoint2D loEnd, hiEnd;
    bool copy = false; // an arc seen again one turn back
};

int LayerOrder(const char* a, const char* b) {
    return std::strcmp(a ? a : "", b ? b : "");
}

TStretch LineStretch(TDXFSegment* s, double angleTolerance) {
    double angle = std::atan2(s->Y2 - s->Y1, s->X2 - s->X1);
    if (angle < 0)
        angle += kPi;
    if (angle >= kPi - angleTolerance) // nearly flat either way: one direction
        angle -= kPi;
    const double ux = std::cos(angle), uy = std::sin(angle);
    TStretch t;
    t.item = s;
    t.layer = s->Layer.get();
    t.key[0] = angle;
    t.key[1] = ux * s->Y1 - uy * s->X1;
    const double a = ux * s->X1 + uy * s->Y1, b = ux * s->X2 + uy * s->Y2;
    const TPoint2D first(s->X1, s->Y1), second(s->X2, s->Y2);
    t.lo = std::min(a, b);
    t.hi = std::max(a, b);
    t.loEnd = a <= b ? first : second;
    t.hiEnd = a <= b ? second : first;
    return t;
}

double Direction(TPoint2D p, const TDXFArc& arc) {
    const double angle = std::atan2(p.Y - arc.CenterY, p.X - arc.CenterX);
    return angle < 0 ? angle + 2 * kPi : angle;
}

// The arc as it runs counter-clockwise, from its ends (whatever its angle
// fields say): ends that meet make the whole circle.
void CounterClockwise(const TDXFArc& arc, TPoint2D& from, TPoint2D& to, double& start,
                      double& sweep) {
    from = TPoint2D(arc.StartX, arc.StartY);
    to = TPoint2D(arc.EndX, arc.EndY);
    if (arc.Clockwise)
        std::swap(from, to);
    start = Direction(from, arc);
    sweep = Direction(to, arc) - start;
    if (sweep <= 0)
        sweep += 2 * kPi;
}

// An arc's stretch: positions along it are lengths (angle times radius)
// from the direction 0.
TStretch ArcStretch(TDXFArc* arc) {
    TStretch t;
    double start = 0, sweep = 0;
    CounterClockwise(*arc, t.loEnd, t.hiEnd, start, sweep);
    t.item = arc;
    t.layer = arc->Layer.get();
    t.key[0] = arc->CenterX;
    t.key[1] = arc->CenterY;
    t.key[2] = arc->Radius;
    t.lo = start * arc->Radius;
    t.hi = (start + sweep) * arc->Radius;
    return t;
}

using TStretchIt = std::vector<TStretch>::iterator;

// Splits the stretches into groups whose key figure k strays no more than
// its tolerance from the group's first, then each group by the next figure.
template <typename Visit>
void SplitByKey(TStretchIt begin, TStretchIt end, int k, const double (&tolerance)[3],
                Visit& visit) {
    if (k == 3)
        return visit(begin, end);
    std::sort(begin, end,
              [k](const TStretch& a, const TStretch& b) { return a.key[k] < b.key[k]; });
    for (TStretchIt group = begin; group != end;) {
        TStretchIt next = group + 1;
        while (next != end && next->key[k] - group->key[k] <= tolerance[k])
            ++next;
        SplitByKey(group, next, k + 1, tolerance, visit);
        group = next;
    }
}

// Runs of stretches on one carrier: the same layer, and key figures within
// their tolerances.
template <typename Visit>
void ForEachCarrier(std::vector<TStretch>& all, const double (&tolerance)[3], Visit visit) {
    std::sort(all.begin(), all.end(), [](const TStretch& a, const TStretch& b) {
        return LayerOrder(a.layer, b.layer) < 0;
    });
    for (TStretchIt begin = all.begin(); begin != all.end();) {
        TStretchIt end = begin + 1;
        while (end != all.end() && LayerOrder(begin->layer, end->layer) == 0)
            ++end;
        SplitByKey(begin, end, 0, tolerance, visit);
        begin = end;
    }
}

// A run of stretches that overlap one another, in order along the carrier.
struct TRun {
    std::vector<const TStretch*> members;
    double overlap = 0; // length covered more than once
    TPoint2D where;     // the middle of the first overlap
    const TStretch* first = nullptr;
    const TStretch* last = nullptr; // the one that reaches furthest
};

// Sweeps one carrier's stretches (sorted by where they start) and calls
// visit for every run of two or more that overlap by more than tolerance.
template <typename Place, typename Visit>
void SweepRuns(TStretchIt begin, TStretchIt end, double tolerance, Place place, Visit visit) {
    std::sort(begin, end, [](const TStretch& a, const TStretch& b) { return a.lo < b.lo; });
    TRun run;
    const auto finish = [&]() {
        if (run.members.size() > 1 && run.overlap > 0)
            visit(run);
        run = TRun();
    };
    for (auto it = begin; it != end; ++it) {
        if (run.last && it->lo < run.last->hi - tolerance) {
            const double reach = std::min(run.last->hi, it->hi);
            if (run.overlap == 0)
                run.where = place(*it, (it->lo + reach) / 2);
            run.overlap += reach - it->lo;
            run.members.push_back(&*it);
            if (it->hi > run.last->hi)
                run.last = &*it;
            continue;
        }
        finish();
        run.members.push_back(&*it);
        run.first = run.last = &*it;
    }
    finish();
}

const char* LayerOf(const TRun& run) {
    return run.first->layer ? run.first->layer : "";
}

struct TCarriers {
    std::vector<TStretch> lines, arcs;
};

// The lines and arcs of the lists as stretches; tiny ones are noted instead.
TCarriers Stretches(const TEntityLists& lists, double tolerance, quillform::Diagnostics* report) {
    TCarriers c;
    // Sized once: a stretch is large, and a growing vector holds two copies.
    c.lines.reserve(static_cast<size_t>(std::max(lists.Segments.Count, 0)));
    c.arcs.reserve(static_cast<size_t>(std::max(lists.Arcs.Count, 0)));
    const double angleTolerance = tolerance * 1e-3;
    const auto tiny = [&](const char* layer, TPoint2D at) {
        if (report)
            report->Note("tinyEntities", layer ? layer : "", quillform::Point{at.X, at.Y});
    };
    for (const TListaNode* n = lists.Segments.Head; n; n = n->Next) {
        auto* s = static_cast<TDXFSegment*>(n->Item);
        if (std::hypot(s->X2 - s->X1, s->Y2 - s->Y1) <= tolerance)
            tiny(s->Layer.get(), TPoint2D(s->X1, s->Y1));
        else
            c.lines.push_back(LineStretch(s, angleTolerance));
    }
    for (const TListaNode* n = lists.Arcs.Head; n; n = n->Next) {
        auto* a = static_cast<TDXFArc*>(n->Item);
        TPoint2D from, to;
        double start = 0, sweep = 0;
        CounterClockwise(*a, from, to, start, sweep);
        if (a->Radius * sweep <= tolerance)
            tiny(a->Layer.get(), TPoint2D(a->StartX, a->StartY));
        else
            c.arcs.push_back(ArcStretch(a));
    }
    for (const TListaNode* n = lists.Circles.Head; n; n = n->Next) {
        auto* circle = static_cast<TDXFCircle*>(n->Item);
        if (circle->Radius <= tolerance)
            tiny(circle->Layer.get(), circle->Center);
    }
    return c;
}

// Where a position along the carrier lies.
TPoint2D OnLine(const TStretch& s, double at) {
    const double angle = s.key[0];
    const double ux = std::cos(angle), uy = std::sin(angle);
    return TPoint2D(ux * at - uy * s.key[1], uy * at + ux * s.key[1]);
}
TPoint2D OnCircle(const TStretch& s, double at) {
    const double angle = at / s.key[2];
    return TPoint2D(s.key[0] + s.key[2] * std::cos(angle), s.key[1] + s.key[2] * std::sin(angle));
}

// Every run of overlapping lines, then of arcs (an arc that passes angle 0
// is seen again one turn on, so that it meets arcs just after 0).
template <typename Visit> void ForEachRun(TCarriers& c, double tolerance, Visit visit) {
    const double angleTolerance = tolerance * 1e-3;
    ForEachCarrier(c.lines, {angleTolerance, tolerance, 0}, [&](auto begin, auto end) {
        SweepRuns(begin, end, tolerance, OnLine, [&](const TRun& run) { visit(run, false); });
    });
    ForEachCarrier(c.arcs, {tolerance, tolerance, tolerance}, [&](auto begin, auto end) {
        std::vector<TStretch> turn(begin, end);
        const double round = 2 * kPi * begin->key[2];
        for (auto it = begin; it != end; ++it)
            if (it->hi > round + tolerance) {
                TStretch back = *it;
                back.lo -= round;
                back.hi -= round;
                back.copy = true;
                turn.push_back(back);
            }
        SweepRuns(turn.begin(), turn.end(), tolerance, OnCircle, [&](const TRun& run) {
            const auto original = [](const TStretch* s) { return !s->copy; };
            if (std::any_of(run.members.begin(), run.members.end(), original))
                visit(run, true);
        });
    });
}

void Replace(TLista& list, const std::unordered_set<void*>& removed, void (*destroy)(void*)) {
    for (TListaNode* node = list.Head; node;) {
        if (!removed.count(node->Item)) {
            node = node->Next;
            continue;
        }
        destroy(node->Item);
        node = list.Remove(node);
    }
}

// The run's first edge now reaches from the run's first end to its last.
void StretchLine(const TRun& run) {
    auto* s = static_cast<TDXFSegment*>(run.first->item);
    s->X1 = run.first->loEnd.X;
    s->Y1 = run.first->loEnd.Y;
    s->X2 = run.last->hiEnd.X;
    s->Y2 = run.last->hiEnd.Y;
}

void StretchArc(const TRun& run) {
    auto* a = static_cast<TDXFArc*>(run.first->item);
    const TPoint2D from = run.first->loEnd, to = run.last->hiEnd;
    const double sweep = (run.last->hi - run.first->lo) / a->Radius * 180 / kPi;
    a->Clockwise = 0;
    a->StartX = from.X;
    a->StartY = from.Y;
    a->EndX = to.X;
    a->EndY = to.Y;
    const auto degrees = [](double angle) {
        const double d = std::fmod(angle, 360.0);
        return d < 0 ? d + 360 : d;
    };
    a->StartAngle = degrees(run.first->lo / a->Radius * 180 / kPi);
    a->EndAngle = degrees(a->StartAngle + sweep);
    a->Sweep = sweep;
}
} // namespace

void NoteEdgeOverlaps(const TEntityLists& lists, double tolerance, quillform::Diagnostics& report) {
    TCarriers c = Stretches(lists, tolerance, &report);
    ForEachRun(c, tolerance, [&](const TRun& run, bool) {
        report.Note("overlappingEdges", LayerOf(run), quillform::Point{run.where.X, run.where.Y}, 1,
                    run.overlap);
    });
}

void MergeEdgeOverlaps(TEntityLists& lists, double tolerance, quillform::Diagnostics& report) {
    TCarriers c = Stretches(lists, tolerance, nullptr);
    std::unordered_set<void*> removedLines, removedArcs, touched;
    ForEachRun(c, tolerance, [&](const TRun& run, bool arc) {
        std::unordered_set<void*>& removed = arc ? removedArcs : removedLines;
        const double round = arc ? 2 * kPi * run.first->key[2] : 0;
        if (arc && run.last->hi - run.first->lo >= round - tolerance)
            return; // all the way round: no arc can stand for it
        for (const TStretch* member : run.members)
            if (!touched.insert(member->item).second)
                return; // an arc met again one turn on: in a run already
        arc ? StretchArc(run) : StretchLine(run);
        for (const TStretch* member : run.members)
            if (member != run.first)
                removed.insert(member->item);
        report.Warn("overlapsMerged", LayerOf(run));
        for (quillform::Warning& w : report.warnings)
            if (w.code == "overlapsMerged" && w.layer == LayerOf(run))
                w.value += run.overlap;
    });
    Replace(lists.Segments, removedLines,
            [](void* item) { delete static_cast<TDXFSegment*>(item); });
    Replace(lists.Arcs, removedArcs, [](void* item) { delete static_cast<TDXFArc*>(item); });
}

} // namespace quillform::detail
