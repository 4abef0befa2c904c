// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The writing side of linking: seeding a contour, joining an entity at
// either end with the arc data on the vertex its edge leaves, and closing.
#include "link/contour_building.h"

#include "quillform/status.h"

#include <cmath>
#include <utility>

namespace quillform::detail {

namespace {
dxf_info* NewVertex(double x, double y) {
    auto* vertex = NewPlainItem<dxf_info>();
    vertex->x = x;
    vertex->y = y;
    return vertex;
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

// Pk walked backwards: its edge is the one that arrives from Pk-1, reversed.
dxf_info* ReversedCopy(const TListaNode* node) {
    dxf_info* copy = NewVertex(VertexAt(node).x, VertexAt(node).y);
    CopyEdge(copy, VertexAt(node->Prev), true);
    return copy;
}

// The vertices of a raw polyline, in order, with the edges that leave them
// (straight, unless bulges were kept as arcs).
void CopyVertices(const TDXFPolygon& polyline, TDXFPolygon* contour) {
    for (const TListaNode* v = polyline.Head->Next; v; v = v->Next)
        contour->AddPlain(CopyVertex(VertexAt(v)));
}

int32_t ClosedFlag(const TDXFPolygon* polyline) {
    return *static_cast<const int32_t*>(polyline->Head->Item) & 1;
}
} // namespace

dxf_info* FirstVertex(const TDXFPolygon* contour) {
    return static_cast<dxf_info*>(contour->Head->Item);
}

dxf_info* LastVertex(const TDXFPolygon* contour) {
    return static_cast<dxf_info*>(contour->Tail->Item);
}

TPoint2D PointOf(const dxf_info* vertex) {
    return TPoint2D(vertex->x, vertex->y);
}

double EndDistance(TPoint2D a, TPoint2D b) {
    return std::sqrt((a.X - b.X) * (a.X - b.X) + (a.Y - b.Y) * (a.Y - b.Y));
}

bool Near(TPoint2D a, TPoint2D b, double linkingDistance) {
    return EndDistance(a, b) <= linkingDistance;
}

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

void MoveClosedPolylines(TLista& polylines, TLista* contours) {
    for (TListaNode* node = polylines.Head; node;) {
        auto* polyline = static_cast<TDXFPolygon*>(node->Item);
        if (!ClosedFlag(polyline)) {
            node = node->Next;
            continue;
        }
        TOwnedPolyline contour(new TDXFPolygon());
        CopyVertices(*polyline, contour.get());
        contour->Layer = quillform::CopyName(polyline->Layer.get());
        contours->Add(contour.get());
        contour.release();
        DestroyPolygon(polyline);
        node = polylines.Remove(node);
    }
}

void DropPolylinesWithoutVertices(TLista& polylines) {
    for (TListaNode* node = polylines.Head; node;) {
        auto* polyline = static_cast<TDXFPolygon*>(node->Item);
        if (polyline->Count > 1) {
            node = node->Next;
            continue;
        }
        DestroyPolygon(polyline);
        node = polylines.Remove(node);
    }
}

quillform::OwnedName StartContour(TLista& segments, TLista& arcs, TLista& polylines,
                                  TDXFPolygon* contour, int32_t* status) {
    if (segments.Count > 0) {
        auto* segment = static_cast<TDXFSegment*>(segments.Head->Item);
        contour->AddPlain(NewVertex(segment->X1, segment->Y1));
        contour->AddPlain(NewVertex(segment->X2, segment->Y2));
        quillform::OwnedName layer = std::move(segment->Layer);
        delete segment;
        segments.Delete(0);
        return layer;
    }
    if (arcs.Count > 0) {
        auto* arc = static_cast<TDXFArc*>(arcs.Head->Item);
        dxf_info* start = NewVertex(arc->StartX, arc->StartY);
        WriteArc(start, *arc, false);
        contour->AddPlain(start);
        contour->AddPlain(NewVertex(arc->EndX, arc->EndY));
        quillform::OwnedName layer = std::move(arc->Layer);
        delete arc;
        arcs.Delete(0);
        return layer;
    }
    if (polylines.Count > 0) {
        auto* polyline = static_cast<TDXFPolygon*>(polylines.Head->Item);
        CopyVertices(*polyline, contour);
        quillform::OwnedName layer = std::move(polyline->Layer);
        DestroyPolygon(polyline);
        polylines.Delete(0);
        return layer;
    }
    *status |= stNoStartEntity;
    return nullptr;
}

bool JoinSegment(const TDXFSegment& segment, TDXFPolygon* contour, double linkingDistance) {
    const TPoint2D p1(segment.X1, segment.Y1), p2(segment.X2, segment.Y2);
    const TPoint2D first = PointOf(FirstVertex(contour)), last = PointOf(LastVertex(contour));
    return JoinSegmentAt(segment, contour, MatchPairing(p1, p2, first, last, linkingDistance));
}

bool JoinSegmentAt(const TDXFSegment& segment, TDXFPolygon* contour, int pairing) {
    const TPoint2D p1(segment.X1, segment.Y1), p2(segment.X2, segment.Y2);
    switch (pairing) {
    case kStartNearFirst:
        contour->InsertPlain(0, NewVertex(p2.X, p2.Y));
        return true;
    case kEndNearFirst:
        contour->InsertPlain(0, NewVertex(p1.X, p1.Y));
        return true;
    case kStartNearLast:
        contour->AddPlain(NewVertex(p2.X, p2.Y));
        return true;
    case kEndNearLast:
        contour->AddPlain(NewVertex(p1.X, p1.Y));
        return true;
    default:
        return false;
    }
}

bool JoinArc(const TDXFArc& arc, TDXFPolygon* contour, double linkingDistance) {
    const TPoint2D s(arc.StartX, arc.StartY), e(arc.EndX, arc.EndY);
    const TPoint2D first = PointOf(FirstVertex(contour)), last = PointOf(LastVertex(contour));
    return JoinArcAt(arc, contour, MatchPairing(s, e, first, last, linkingDistance));
}

bool JoinArcAt(const TDXFArc& arc, TDXFPolygon* contour, int pairing) {
    const TPoint2D s(arc.StartX, arc.StartY), e(arc.EndX, arc.EndY);
    dxf_info* last = LastVertex(contour);
    switch (pairing) {
    case kStartNearFirst: { // walked backwards from E to the old first vertex
        dxf_info* vertex = NewVertex(e.X, e.Y);
        WriteArc(vertex, arc, true);
        contour->InsertPlain(0, vertex);
        return true;
    }
    case kEndNearFirst: {
        dxf_info* vertex = NewVertex(s.X, s.Y);
        WriteArc(vertex, arc, false);
        contour->InsertPlain(0, vertex);
        return true;
    }
    case kStartNearLast:
        WriteArc(last, arc, false);
        contour->AddPlain(NewVertex(e.X, e.Y));
        return true;
    case kEndNearLast:
        WriteArc(last, arc, true);
        contour->AddPlain(NewVertex(s.X, s.Y));
        return true;
    default:
        return false;
    }
}

// Polyline vertices P0 .. Pn; the edge from Pk to Pk+1 is described on Pk. The
// vertex that meets the contour is left out, and the contour's own end
// vertex takes over the edge that leaves it. Vertices go in at the front one
// by one, so that a long polyline joins in time linear in its length.
bool JoinPolyline(const TDXFPolygon& polyline, TDXFPolygon* contour, double linkingDistance) {
    const TPoint2D p0 = PointOf(&VertexAt(polyline.Head->Next));
    const TPoint2D pn = PointOf(&VertexAt(polyline.Tail));
    const TPoint2D first = PointOf(FirstVertex(contour)), last = PointOf(LastVertex(contour));
    return JoinPolylineAt(polyline, contour, MatchPairing(p0, pn, first, last, linkingDistance));
}

bool JoinPolylineAt(const TDXFPolygon& polyline, TDXFPolygon* contour, int pairing) {
    const TListaNode* p0 = polyline.Head->Next;
    const TListaNode* pn = polyline.Tail;
    dxf_info* last = LastVertex(contour);
    switch (pairing) {
    case kStartNearFirst: // the contour then begins Pn, ..., P1
        for (const TListaNode* n = p0->Next; n; n = n->Next)
            contour->InsertPlain(0, ReversedCopy(n));
        return true;
    case kEndNearFirst: // the contour then begins P0, ..., Pn-1
        for (const TListaNode* n = pn; n != p0;) {
            n = n->Prev;
            contour->InsertPlain(0, CopyVertex(VertexAt(n)));
        }
        return true;
    case kStartNearLast:
        CopyEdge(last, VertexAt(p0), false);
        for (const TListaNode* n = p0->Next; n; n = n->Next)
            contour->AddPlain(CopyVertex(VertexAt(n)));
        LastVertex(contour)->is_arc = 0;
        return true;
    case kEndNearLast:
        CopyEdge(last, VertexAt(pn->Prev), true);
        for (const TListaNode* n = pn->Prev; n != polyline.Head; n = n->Prev)
            contour->AddPlain(n == p0 ? NewVertex(VertexAt(n).x, VertexAt(n).y) : ReversedCopy(n));
        return true;
    default:
        return false;
    }
}

namespace {
quillform::OpenChain RecordOf(const TDXFPolygon& chain) {
    quillform::OpenChain record;
    record.layer = chain.Layer ? chain.Layer.get() : "";
    for (const TListaNode* n = chain.Head; n; n = n->Next) {
        const dxf_info& v = VertexAt(n);
        quillform::Vertex vertex{v.x, v.y, std::nullopt};
        if (v.is_arc && n->Next) // the last vertex leads nowhere
            vertex.arc = quillform::ArcEdge{{v.center_x, v.center_y}, v.radius, v.clockwise != 0};
        record.vertices.push_back(vertex);
    }
    if (record.vertices.empty())
        return record;
    const quillform::Vertex &first = record.vertices.front(), &last = record.vertices.back();
    record.edges = static_cast<int64_t>(record.vertices.size()) - 1;
    record.first = quillform::Point{first.x, first.y};
    record.last = quillform::Point{last.x, last.y};
    record.gap = std::hypot(last.x - first.x, last.y - first.y);
    return record;
}
} // namespace

void FinishContour(TOwnedPolyline contour, TLista* contours, int32_t* status,
                   double linkingDistance, int32_t openContourMode,
                   std::vector<quillform::OpenChain>* openChains) {
    if (Near(PointOf(FirstVertex(contour.get())), PointOf(LastVertex(contour.get())),
             linkingDistance)) {
        if (contour->Count > 1) { // the last vertex repeats the first
            FreePlainItem(contour->Tail->Item);
            contour->Remove(contour->Tail);
        }
        AddOwned(*contours, std::move(contour));
        return;
    }
    if (openChains)
        openChains->push_back(RecordOf(*contour));
    if (openContourMode == quillform::kDropOpenContours)
        return;
    if (openContourMode == quillform::kStopOnOpenContour)
        *status |= stOpenContour;
    AddOwned(*contours, std::move(contour));
}

} // namespace quillform::detail
