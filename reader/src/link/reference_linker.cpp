// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Chains segments, arcs and open polylines into contours. First match wins
// everywhere: segments before arcs before polylines, earlier entities before
// later ones, and the four end pairings in a fixed order. This literal scan
// is the reference that any faster linker has to match result for result.
#include "collect/collector.h"
#include "link/contour_building.h"

namespace {
bool LayerMatches(const char* entityLayer, const TDXFPolygon* contour, bool mixLayers) {
    return mixLayers || SameName(entityLayer, contour->Layer.get());
}
} // namespace

void Test_CreationClass::MoveClosedPolylines(TLista* outList) {
    ::MoveClosedPolylines(Polylines, outList);
}

void Test_CreationClass::DropPolylinesWithoutVertices() {
    ::DropPolylinesWithoutVertices(Polylines);
}

OwnedName Test_CreationClass::StartContour(TDXFPolygon* contour, int32_t* status) {
    return ::StartContour(Segments, Arcs, Polylines, contour, status);
}

bool Test_CreationClass::AttachSegment(TListaNode* node, TDXFSegment* segment, TDXFPolygon* contour,
                                       TPoint2D, TPoint2D, double linkingDistance) {
    if (!JoinSegment(*segment, contour, linkingDistance))
        return false;
    delete segment;
    Segments.Remove(node);
    return true;
}

bool Test_CreationClass::AttachArc(TListaNode* node, TDXFArc* arc, TDXFPolygon* contour, dxf_info*,
                                   dxf_info*, double linkingDistance) {
    if (!JoinArc(*arc, contour, linkingDistance))
        return false;
    delete arc;
    Arcs.Remove(node);
    return true;
}

bool Test_CreationClass::AttachPolyline(TListaNode* node, TDXFPolygon* polyline,
                                        TDXFPolygon* contour, dxf_info*, dxf_info*,
                                        double linkingDistance) {
    if (!JoinPolyline(*polyline, contour, linkingDistance))
        return false;
    DestroyPolygon(polyline);
    Polylines.Remove(node);
    return true;
}

// One pass: the first entity, in scan order, that joins either end of the contour.
bool Test_CreationClass::AttachNext(TDXFPolygon* contour, bool mixLayers, double distance) {
    dxf_info* first = FirstVertex(contour);
    dxf_info* last = LastVertex(contour);
    for (TListaNode* n = Segments.Head; n; n = n->Next) {
        auto* segment = static_cast<TDXFSegment*>(n->Item);
        if (LayerMatches(segment->Layer.get(), contour, mixLayers) &&
            AttachSegment(n, segment, contour, PointOf(first), PointOf(last), distance))
            return true;
    }
    for (TListaNode* n = Arcs.Head; n; n = n->Next) {
        auto* arc = static_cast<TDXFArc*>(n->Item);
        if (LayerMatches(arc->Layer.get(), contour, mixLayers) &&
            AttachArc(n, arc, contour, first, last, distance))
            return true;
    }
    for (TListaNode* n = Polylines.Head; n; n = n->Next) {
        auto* polyline = static_cast<TDXFPolygon*>(n->Item);
        if (LayerMatches(polyline->Layer.get(), contour, mixLayers) &&
            AttachPolyline(n, polyline, contour, first, last, distance))
            return true;
    }
    return false;
}

bool Test_CreationClass::LinkContours(TLista* outList, int32_t* status, double linkingDistance,
                                      int32_t openContourMode, bool mixLayers) {
    if (Segments.Count == 0 && Arcs.Count == 0 && Polylines.Count == 0)
        return true;
    MoveClosedPolylines(outList);
    DropPolylinesWithoutVertices();
    while (Segments.Count + Arcs.Count + Polylines.Count > 0) {
        auto* contour = new TDXFPolygon();
        contour->Layer = StartContour(contour, status);
        bool attached = contour->Count > 0;
        while (*status == 0 && attached)
            attached = AttachNext(contour, mixLayers, linkingDistance);
        if (*status != 0 || contour->Count == 0) {
            DestroyPolygon(contour);
            continue;
        }
        FinishContour(contour, outList, status, linkingDistance, openContourMode, OpenChainRecord);
        if (*status != 0)
            return true;
    }
    return true;
}
