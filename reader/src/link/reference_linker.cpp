// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Chains segments, arcs and open polylines into contours. First match wins
// everywhere: segments before arcs before polylines, earlier entities before
// later ones, and the four end pairings in a fixed order. This literal scan
// is the reference that any faster linker has to match result for result;
// so is its nearest-first variant, which walks every list at each step.
#include "link/reference_linker.h"

#include "link/contour_building.h"
#include "link/nearest_first.h"

#include <utility>

namespace quillform::detail {
namespace {
bool LayerMatches(const char* entityLayer, const TDXFPolygon* contour, bool mixLayers) {
    return mixLayers || SameName(entityLayer, contour->Layer.get());
}

// One linking of one read's lists, its steps named as the linking rules
// name them.
class TLiteralLink {
public:
    TLiteralLink(TEntityLists& lists, const TLinkOptions& options, bool nearestFirst)
        : lists_(lists), options_(options), nearestFirst_(nearestFirst) {}

    bool LinkContours(TLista* outList, int32_t* status);

private:
    TEntityLists& lists_;
    const TLinkOptions& options_;
    const bool nearestFirst_;

    // The entity end nearest to a contour end, found by walking every list.
    struct Found {
        TEndOffer offer;
        TListaNode* node = nullptr;
        TLista* list = nullptr;
    };
    Found ScanNearest(TPoint2D point, const TDXFPolygon* contour);
    bool AttachNearest(TDXFPolygon* contour);
    bool Attach(TDXFPolygon* contour) {
        return nearestFirst_ ? AttachNearest(contour) : AttachNext(contour);
    }

    void MoveClosedPolylines(TLista* outList) {
        detail::MoveClosedPolylines(lists_.Polylines, outList);
    }
    quillform::OwnedName StartContour(TDXFPolygon* contour, int32_t* status) {
        return detail::StartContour(lists_.Segments, lists_.Arcs, lists_.Polylines, contour,
                                    status);
    }
    bool AttachNext(TDXFPolygon* contour);
    bool AttachSegment(TListaNode* node, TDXFSegment* segment, TDXFPolygon* contour);
    bool AttachArc(TListaNode* node, TDXFArc* arc, TDXFPolygon* contour);
    bool AttachPolyline(TListaNode* node, TDXFPolygon* polyline, TDXFPolygon* contour);
};

bool TLiteralLink::AttachSegment(TListaNode* node, TDXFSegment* segment, TDXFPolygon* contour) {
    if (!JoinSegment(*segment, contour, options_.linkingDistance))
        return false;
    delete segment;
    lists_.Segments.Remove(node);
    return true;
}

bool TLiteralLink::AttachArc(TListaNode* node, TDXFArc* arc, TDXFPolygon* contour) {
    if (!JoinArc(*arc, contour, options_.linkingDistance))
        return false;
    delete arc;
    lists_.Arcs.Remove(node);
    return true;
}

bool TLiteralLink::AttachPolyline(TListaNode* node, TDXFPolygon* polyline, TDXFPolygon* contour) {
    if (!JoinPolyline(*polyline, contour, options_.linkingDistance))
        return false;
    DestroyPolygon(polyline);
    lists_.Polylines.Remove(node);
    return true;
}

// One pass: the first entity, in scan order, that joins either end of the contour.
bool TLiteralLink::AttachNext(TDXFPolygon* contour) {
    const bool mix = options_.mixLayers;
    for (TListaNode* n = lists_.Segments.Head; n; n = n->Next) {
        auto* segment = static_cast<TDXFSegment*>(n->Item);
        if (LayerMatches(segment->Layer.get(), contour, mix) && AttachSegment(n, segment, contour))
            return true;
    }
    for (TListaNode* n = lists_.Arcs.Head; n; n = n->Next) {
        auto* arc = static_cast<TDXFArc*>(n->Item);
        if (LayerMatches(arc->Layer.get(), contour, mix) && AttachArc(n, arc, contour))
            return true;
    }
    for (TListaNode* n = lists_.Polylines.Head; n; n = n->Next) {
        auto* polyline = static_cast<TDXFPolygon*>(n->Item);
        if (LayerMatches(polyline->Layer.get(), contour, mix) &&
            AttachPolyline(n, polyline, contour))
            return true;
    }
    return false;
}

// The two ends of an entity of the list: start, then end.
std::pair<TPoint2D, TPoint2D> EndsOf(const TEntityLists& lists, const TLista* list,
                                     const void* item) {
    if (list == &lists.Segments) {
        const auto* s = static_cast<const TDXFSegment*>(item);
        return {TPoint2D(s->X1, s->Y1), TPoint2D(s->X2, s->Y2)};
    }
    if (list == &lists.Arcs) {
        const auto* a = static_cast<const TDXFArc*>(item);
        return {TPoint2D(a->StartX, a->StartY), TPoint2D(a->EndX, a->EndY)};
    }
    const auto* p = static_cast<const TDXFPolygon*>(item);
    return {PointOf(static_cast<const dxf_info*>(p->Head->Next->Item)),
            PointOf(static_cast<const dxf_info*>(p->Tail->Item))};
}

const char* LayerOf(const TEntityLists& lists, const TLista* list, const void* item) {
    if (list == &lists.Segments)
        return static_cast<const TDXFSegment*>(item)->Layer.get();
    if (list == &lists.Arcs)
        return static_cast<const TDXFArc*>(item)->Layer.get();
    return static_cast<const TDXFPolygon*>(item)->Layer.get();
}

TLiteralLink::Found TLiteralLink::ScanNearest(TPoint2D point, const TDXFPolygon* contour) {
    Found found;
    uint32_t rank = 0;
    for (TLista* list : {&lists_.Segments, &lists_.Arcs, &lists_.Polylines})
        for (TListaNode* n = list->Head; n; n = n->Next, ++rank) {
            if (!LayerMatches(LayerOf(lists_, list, n->Item), contour, options_.mixLayers))
                continue;
            const auto [start, end] = EndsOf(lists_, list, n->Item);
            const double ds = EndDistance(start, point), de = EndDistance(end, point);
            const bool atEnd = EndIsNearer(ds, de);
            const double d = atEnd ? de : ds;
            if (d <= options_.linkingDistance &&
                (found.node == nullptr || d < found.offer.distance))
                found = Found{TEndOffer{rank, d, atEnd}, n, list};
        }
    return found;
}

// One step: the entity end nearest to either end of the contour joins it,
// unless the contour closes on itself first.
bool TLiteralLink::AttachNearest(TDXFPolygon* contour) {
    const Found atFirst = ScanNearest(PointOf(FirstVertex(contour)), contour);
    const Found atLast = ScanNearest(PointOf(LastVertex(contour)), contour);
    const int pairing =
        ChooseNearest(*contour, atFirst.offer, atLast.offer, options_.linkingDistance);
    if (pairing == kNoPairing)
        return false;
    const Found& chosen = pairing >= kStartNearLast ? atLast : atFirst;
    TListaNode* node = chosen.node;
    if (chosen.list == &lists_.Segments) {
        auto* segment = static_cast<TDXFSegment*>(node->Item);
        JoinSegmentAt(*segment, contour, pairing);
        delete segment;
    } else if (chosen.list == &lists_.Arcs) {
        auto* arc = static_cast<TDXFArc*>(node->Item);
        JoinArcAt(*arc, contour, pairing);
        delete arc;
    } else {
        auto* polyline = static_cast<TDXFPolygon*>(node->Item);
        JoinPolylineAt(*polyline, contour, pairing);
        DestroyPolygon(polyline);
    }
    chosen.list->Remove(node);
    return true;
}

bool TLiteralLink::LinkContours(TLista* outList, int32_t* status) {
    TLista& segments = lists_.Segments;
    TLista& arcs = lists_.Arcs;
    TLista& polylines = lists_.Polylines;
    if (segments.Count == 0 && arcs.Count == 0 && polylines.Count == 0)
        return true;
    MoveClosedPolylines(outList);
    DropPolylinesWithoutVertices(polylines);
    while (segments.Count + arcs.Count + polylines.Count > 0) {
        TOwnedPolyline owned(new TDXFPolygon());
        TDXFPolygon* contour = owned.get();
        contour->Layer = StartContour(contour, status);
        bool attached = contour->Count > 0;
        while (*status == 0 && attached)
            attached = Attach(contour);
        if (*status != 0 || contour->Count == 0)
            continue;
        if (nearestFirst_)
            CloseAcrossShortEnd(contour, options_.linkingDistance);
        FinishContour(std::move(owned), outList, status, options_.linkingDistance,
                      options_.openContourMode, options_.openChains);
        if (*status != 0)
            return true;
    }
    return true;
}
} // namespace

bool LinkContours(TEntityLists& lists, TLista* outList, int32_t* status,
                  const TLinkOptions& options) {
    return TLiteralLink(lists, options, false).LinkContours(outList, status);
}

bool LinkContoursNearestFirst(TEntityLists& lists, TLista* outList, int32_t* status,
                              const TLinkOptions& options) {
    return TLiteralLink(lists, options, true).LinkContours(outList, status);
}

} // namespace quillform::detail
