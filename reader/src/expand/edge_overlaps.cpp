// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Overlapping edges: sorted by the line (circle) they lie on, then swept
// along it, so that a drawing of n edges costs n log n.
#include "expand/edge_overlaps.h"

#include "expand/covered_edges.h"
#include "expand/edge_stretches.h"
#include "model/geometry_constants.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <unordered_set>
#include <vector>

namespace quillform::detail {

namespace {
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

// What of the run's overlap the polylines and circles make among
// themselves: a polyline doubling back over itself, two outlines sharing a
// side, an outline drawn twice are the outline checks' business; only loose
// lines and arcs drawn again count here.
double FixedOverlap(const TRun& run, double tolerance) {
    double doubled = 0, reach = 0;
    bool first = true;
    for (const TStretch* member : run.members) {
        if (!member->fixed)
            continue;
        if (!first && member->lo < reach - tolerance)
            doubled += std::min(reach, member->hi) - member->lo;
        reach = first ? member->hi : std::max(reach, member->hi);
        first = false;
    }
    return doubled;
}

template <typename Visit>
void ForEachLineRun(const TEntityLists& lists, double tolerance, bool withFixed, Visit& visit) {
    std::vector<TStretch> lines = Stretches(lists, tolerance, TCarrierKind::Lines, withFixed);
    ForEachCarrier(lines, {AngleTolerance(tolerance), tolerance, 0}, [&](auto begin, auto end) {
        SweepRuns(begin, end, tolerance, OnLine, [&](const TRun& run) { visit(run, false); });
    });
}

// An arc that passes angle 0 is seen again one turn on, so that it meets
// arcs just after 0.
template <typename Visit>
void ForEachArcRun(const TEntityLists& lists, double tolerance, bool withFixed, Visit& visit) {
    std::vector<TStretch> arcs = Stretches(lists, tolerance, TCarrierKind::Circles, withFixed);
    ForEachCarrier(arcs, {tolerance, tolerance, tolerance}, [&](auto begin, auto end) {
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

// Every run of overlapping lines, then of arcs; one kind is held at a time.
template <typename Visit>
void ForEachRun(const TEntityLists& lists, double tolerance, bool withFixed, bool lines, bool arcs,
                Visit visit) {
    if (lines)
        ForEachLineRun(lists, tolerance, withFixed, visit);
    if (arcs)
        ForEachArcRun(lists, tolerance, withFixed, visit);
}

// The run's first edge now reaches from the run's first end to its last.
void StretchOver(const TRun& run, bool arc) {
    if (!arc)
        return SetLine(*static_cast<TDXFSegment*>(run.first->item), run.first->loEnd,
                       run.last->hiEnd);
    SetArc(*static_cast<TDXFArc*>(run.first->item), run.first->lo, run.last->hi, run.first->loEnd,
           run.last->hiEnd);
}
} // namespace

TOverlapsFound NoteEdgeOverlaps(const TEntityLists& lists, double tolerance,
                                quillform::Diagnostics& report) {
    NoteTinyEntities(lists, tolerance, report);
    TOverlapsFound found;
    ForEachRun(lists, tolerance, true, true, true, [&](const TRun& run, bool arc) {
        const double overlap = run.overlap - FixedOverlap(run, tolerance);
        if (overlap <= tolerance)
            return;
        report.Note("overlappingEdges", LayerOf(run), quillform::Point{run.where.X, run.where.Y}, 1,
                    overlap);
        const auto fixed = [](const TStretch* s) { return s->fixed; };
        const auto fixedCount =
            static_cast<size_t>(std::count_if(run.members.begin(), run.members.end(), fixed));
        (arc ? found.looseArcs : found.looseLines) |= run.members.size() - fixedCount > 1;
        (arc ? found.coveredArcs : found.coveredLines) |=
            fixedCount > 0 && fixedCount < run.members.size();
    });
    return found;
}

void MergeEdgeOverlaps(TEntityLists& lists, double tolerance, const TOverlapsFound& found,
                       quillform::Diagnostics& report) {
    std::unordered_set<void*> removedLines, removedArcs, touched;
    ForEachRun(lists, tolerance, false, found.looseLines, found.looseArcs,
               [&](const TRun& run, bool arc) {
                   std::unordered_set<void*>& removed = arc ? removedArcs : removedLines;
                   const double round = arc ? 2 * kPi * run.first->key[2] : 0;
                   if (arc && run.last->hi - run.first->lo >= round - tolerance)
                       return; // all the way round: no arc can stand for it
                   for (const TStretch* member : run.members)
                       if (!touched.insert(member->item).second)
                           return; // an arc met again one turn on: in a run already
                   StretchOver(run, arc);
                   for (const TStretch* member : run.members)
                       if (member != run.first)
                           removed.insert(member->item);
                   AddMerged(report, LayerOf(run), run.overlap);
               });
    RemoveItems(lists.Segments, removedLines,
                [](void* item) { delete static_cast<TDXFSegment*>(item); });
    RemoveItems(lists.Arcs, removedArcs, [](void* item) { delete static_cast<TDXFArc*>(item); });
    CutCoveredEdges(lists, tolerance, found.coveredLines, found.coveredArcs, report);
}

} // namespace quillform::detail
