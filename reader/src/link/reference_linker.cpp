// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Chains segments, arcs and open polylines into contours. First match wins
// everywhere: segments before arcs before polylines, earlier entities before
// later ones, and the four end pairings in a fixed order. This literal scan
// is the reference that any faster linker has to match result for result.
#include "collect/collector.h"

#include "quillform/status.h"

#include <cmath>

namespace {
dxf_info* NewVertex(double x, double y) {
    auto* vertex = NewPlainItem<dxf_info>();
    vertex->x = x;
    vertex->y = y;
    return vertex;
}

TPoint2D PointOf(const dxf_info* vertex) {
    return TPoint2D(vertex->x, vertex->y);
}

dxf_info* FirstVertex(const TDXFPolygon* contour) {
    return static_cast<dxf_info*>(contour->Head->Item);
}
dxf_info* LastVertex(const TDXFPolygon* contour) {
    return static_cast<dxf_info*>(contour->Tail->Item);
}

// Plain Euclidean distance; a NaN or infinite end never comes within reach.
bool Near(TPoint2D a, TPoint2D b, double linkingDistance) {
    return std::sqrt((a.X - b.X) * (a.X - b.X) + (a.Y - b.Y) * (a.Y - b.Y)) <= linkingDistance;
}

// The four pairings in their fixed order; -1 when none is within reach.
enum Pairing { kStartNearFirst, kEndNearFirst, kStartNearLast, kEndNearLast, kNoPairing = -1 };

int MatchPairing(TPoint2D start, TPoint2D end, TPoint2D first, TPoint2D last, double distance) {
    if (Near(start, first, distance))
        return kStartNearFirst;
    if (Near(end, first, distance))
        return kEndNearFirst;
    if (Near(start, last, distance))
        return kStartNearLast;
    if (Near(end, last, distance))
        return kEndNearLast;
    return kNoPairing;
}

// Arc data for the vertex where the arc's edge starts: as stored, or for an
// arc walked from its end to its start with swapped angles and direction.
void WriteArc(dxf_info* vertex, const TDXFArc& arc, bool reversed) {
    vertex->is_arc = 1;
    vertex->center_x = arc.CenterX;
    vertex->center_y = arc.CenterY;
    vertex->radius = arc.Radius;
    vertex->sweep = arc.Sweep;
    vertex->clockwise = reversed ? 1 - arc.Clockwise : arc.Clockwise;
    vertex->start_angle = reversed ? arc.EndAngle : arc.StartAngle;
    vertex->end_angle = reversed ? arc.StartAngle : arc.EndAngle;
}

bool LayerMatches(const char* entityLayer, const TDXFPolygon* contour, bool mixLayers) {
    return mixLayers || SameName(entityLayer, contour->Layer.get());
}

const dxf_info& VertexAt(const TListaNode* node) {
    return *static_cast<const dxf_info*>(node->Item);
}

// The arc of the edge that leaves `from`, written on `to`: as stored, or for
// the edge walked the other way, with swapped angles and direction. Straight
// edges copy as straight.
void CopyEdge(dxf_info* to, const dxf_info& from, bool reversed) {
    to->is_arc = from.is_arc;
    to->center_x = from.center_x;
    to->center_y = from.center_y;
    to->radius = from.radius;
    to->sweep = from.sweep;
    to->clockwise = reversed && from.is_arc ? 1 - from.clockwise : from.clockwise;
    to->start_angle = reversed ? from.end_angle : from.start_angle;
    to->end_angle = reversed ? from.start_angle : from.end_angle;
}

dxf_info* CopyVertex(const dxf_info& vertex) {
    dxf_info* copy = NewVertex(vertex.x, vertex.y);
    CopyEdge(copy, vertex, false);
    return copy;
}

// The vertices of a raw polyline, in order, with the edges that leave them
// (straight, unless bulges were kept as arcs).
void CopyVertices(const TDXFPolygon& polyline, TDXFPolygon* contour) {
    for (const TListaNode* v = polyline.Head->Next; v; v = v->Next)
        contour->Add(CopyVertex(VertexAt(v)));
}

int32_t ClosedFlag(const TDXFPolygon* polyline) {
    return *static_cast<const int32_t*>(polyline->Head->Item) & 1;
}
} // namespace

void Test_CreationClass::MoveClosedPolylines(TLista* outList) {
    for (TListaNode* node = Polylines.Head; node;) {
        auto* polyline = static_cast<TDXFPolygon*>(node->Item);
        if (!ClosedFlag(polyline)) {
            node = node->Next;
            continue;
        }
        auto* contour = new TDXFPolygon();
        CopyVertices(*polyline, contour);
        contour->Layer = CopyName(polyline->Layer.get());
        outList->Add(contour);
        DestroyPolygon(polyline);
        node = Polylines.Remove(node);
    }
}

// An open polyline without vertices has no ends: it can neither start nor join a chain.
void Test_CreationClass::DropPolylinesWithoutVertices() {
    for (TListaNode* node = Polylines.Head; node;) {
        auto* polyline = static_cast<TDXFPolygon*>(node->Item);
        if (polyline->Count > 1) {
            node = node->Next;
            continue;
        }
        DestroyPolygon(polyline);
        node = Polylines.Remove(node);
    }
}

OwnedName Test_CreationClass::StartContour(TDXFPolygon* contour, int32_t* status) {
    if (Segments.Count > 0) {
        auto* segment = static_cast<TDXFSegment*>(Segments.Head->Item);
        contour->Add(NewVertex(segment->X1, segment->Y1));
        contour->Add(NewVertex(segment->X2, segment->Y2));
        OwnedName layer = std::move(segment->Layer);
        delete segment;
        Segments.Delete(0);
        return layer;
    }
    if (Arcs.Count > 0) {
        auto* arc = static_cast<TDXFArc*>(Arcs.Head->Item);
        dxf_info* start = NewVertex(arc->StartX, arc->StartY);
        WriteArc(start, *arc, false);
        contour->Add(start);
        contour->Add(NewVertex(arc->EndX, arc->EndY));
        OwnedName layer = std::move(arc->Layer);
        delete arc;
        Arcs.Delete(0);
        return layer;
    }
    if (Polylines.Count > 0) {
        auto* polyline = static_cast<TDXFPolygon*>(Polylines.Head->Item);
        CopyVertices(*polyline, contour);
        OwnedName layer = std::move(polyline->Layer);
        DestroyPolygon(polyline);
        Polylines.Delete(0);
        return layer;
    }
    *status |= stNoStartEntity;
    return nullptr;
}

bool Test_CreationClass::AttachSegment(TListaNode* node, TDXFSegment* segment, TDXFPolygon* contour,
                                       TPoint2D first, TPoint2D last, double linkingDistance) {
    const TPoint2D p1(segment->X1, segment->Y1), p2(segment->X2, segment->Y2);
    switch (MatchPairing(p1, p2, first, last, linkingDistance)) {
    case kStartNearFirst:
        contour->Insert(0, NewVertex(p2.X, p2.Y));
        break;
    case kEndNearFirst:
        contour->Insert(0, NewVertex(p1.X, p1.Y));
        break;
    case kStartNearLast:
        contour->Add(NewVertex(p2.X, p2.Y));
        break;
    case kEndNearLast:
        contour->Add(NewVertex(p1.X, p1.Y));
        break;
    default:
        return false;
    }
    delete segment;
    Segments.Remove(node);
    return true;
}

bool Test_CreationClass::AttachArc(TListaNode* node, TDXFArc* arc, TDXFPolygon* contour,
                                   dxf_info* firstVertex, dxf_info* lastVertex,
                                   double linkingDistance) {
    const TPoint2D s(arc->StartX, arc->StartY), e(arc->EndX, arc->EndY);
    switch (MatchPairing(s, e, PointOf(firstVertex), PointOf(lastVertex), linkingDistance)) {
    case kStartNearFirst: { // walked backwards from E to the old first vertex
        dxf_info* vertex = NewVertex(e.X, e.Y);
        WriteArc(vertex, *arc, true);
        contour->Insert(0, vertex);
        break;
    }
    case kEndNearFirst: {
        dxf_info* vertex = NewVertex(s.X, s.Y);
        WriteArc(vertex, *arc, false);
        contour->Insert(0, vertex);
        break;
    }
    case kStartNearLast:
        WriteArc(lastVertex, *arc, false);
        contour->Add(NewVertex(e.X, e.Y));
        break;
    case kEndNearLast:
        WriteArc(lastVertex, *arc, true);
        contour->Add(NewVertex(s.X, s.Y));
        break;
    default:
        return false;
    }
    delete arc;
    Arcs.Remove(node);
    return true;
}

// Polyline vertices P0 .. Pn; the edge from Pk to Pk+1 is described on Pk. The
// vertex that meets the contour is left out, and the contour's own end
// vertex takes over the edge that leaves it.
bool Test_CreationClass::AttachPolyline(TListaNode* node, TDXFPolygon* polyline,
                                        TDXFPolygon* contour, dxf_info* firstVertex,
                                        dxf_info* lastVertex, double linkingDistance) {
    const TListaNode* p0 = polyline->Head->Next;
    const TListaNode* pn = polyline->Tail;
    // Pk walked backwards: its edge is the one that arrives from Pk-1, reversed.
    const auto reversedAt = [](const TListaNode* n) {
        dxf_info* copy = NewVertex(VertexAt(n).x, VertexAt(n).y);
        CopyEdge(copy, VertexAt(n->Prev), true);
        return copy;
    };
    const int pairing = MatchPairing(PointOf(&VertexAt(p0)), PointOf(&VertexAt(pn)),
                                     PointOf(firstVertex), PointOf(lastVertex), linkingDistance);
    switch (pairing) {
    case kStartNearFirst: // the contour then begins Pn, ..., P1
        for (const TListaNode* n = p0->Next; n; n = n->Next)
            contour->Insert(0, reversedAt(n));
        break;
    case kEndNearFirst: { // the contour then begins P0, ..., Pn-1
        int32_t position = 0;
        for (const TListaNode* n = p0; n != pn; n = n->Next)
            contour->Insert(position++, CopyVertex(VertexAt(n)));
        break;
    }
    case kStartNearLast:
        CopyEdge(lastVertex, VertexAt(p0), false);
        for (const TListaNode* n = p0->Next; n; n = n->Next)
            contour->Add(CopyVertex(VertexAt(n)));
        LastVertex(contour)->is_arc = 0;
        break;
    case kEndNearLast:
        CopyEdge(lastVertex, VertexAt(pn->Prev), true);
        for (const TListaNode* n = pn->Prev; n != polyline->Head; n = n->Prev)
            contour->Add(n == p0 ? NewVertex(VertexAt(n).x, VertexAt(n).y) : reversedAt(n));
        break;
    default:
        return false;
    }
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
        if (Near(PointOf(FirstVertex(contour)), PointOf(LastVertex(contour)), linkingDistance)) {
            if (contour->Count > 1) { // the last vertex repeats the first
                FreePlainItem(contour->Tail->Item);
                contour->Delete(contour->Count - 1);
            }
        } else if (openContourMode == kDropOpenContours) {
            DestroyPolygon(contour);
            contour = nullptr;
        } else if (openContourMode == kStopOnOpenContour) {
            *status |= stOpenContour;
        }
        if (contour)
            outList->Add(contour);
        if (*status != 0)
            return true;
    }
    return true;
}
