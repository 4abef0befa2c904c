// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Chains segments, arcs and open polylines into contours. First match wins
// everywhere: segments before arcs before polylines, earlier entities before
// later ones, and the four end pairings in a fixed order. This literal scan
// is the reference that any faster linker has to match result for result.
#include "link/reference_linker.h"

#include "link/contour_building.h"

namespace quillform::detail {
namespace {
bool LayerMatches(const char* entityLayer, const TDXFPolygon* contour, bool mixLayers) {
    return mixLayers || SameName(entityLayer, contour->Layer.get());
}

// One linking of one read's lists, its steps named as the linking rules
// name them.
class TLiteralLink {
public:
    TLiteralLink(TEntityLists& lists, const TLinkOptions& options)
        : lists_(lists), options_(options) {}

    bool LinkContours(TLista* outList, int32_t* status);

private:
    TEntityLists& lists_;
    const TLinkOptions& options_;

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

bool TLiteralLink::LinkContours(TLista* outList, int32_t* status) {
    TLista& segments = lists_.Segments;
    TLista& arcs = lists_.Arcs;
    TLista& polylines = lists_.Polylines;
    if (segments.Count == 0 && arcs.Count == 0 && polylines.Count == 0)
        return true;
    MoveClosedPolylines(outList);
    DropPolylinesWithoutVertices(polylines);
    while (segments.Count + arcs.Count + polylines.Count > 0) {
        auto* contour = new TDXFPolygon();
        contour->Layer = StartContour(contour, status);
        bool attached = contour->Count > 0;
        while (*status == 0 && attached)
            attached = AttachNext(contour);
        if (*status != 0 || contour->Count == 0) {
            DestroyPolygon(contour);
            continue;
        }
        FinishContour(contour, outList, status, options_.linkingDistance, options_.openContourMode,
                      options_.openChains);
        if (*status != 0)
            return true;
    }
    return true;
}
} // namespace

bool LinkContours(TEntityLists& lists, TLista* outList, int32_t* status,
                  const TLinkOptions& options) {
    return TLiteralLink(lists, options).LinkContours(outList, status);
}

} // namespace quillform::detail
