// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/entity_store.h"
#include "quillform/diagnostics.h"

#include <vector>

namespace quillform::detail {

// The steps that build contours, shared by every linking engine so that a
// joined entity writes the same vertices whichever engine found it. Engines
// differ only in how they find the entity that joins next.

// Plain Euclidean distance, the one every engine measures ends with.
double EndDistance(TPoint2D a, TPoint2D b);
// Plain Euclidean distance within reach; a NaN end is never within reach.
bool Near(TPoint2D a, TPoint2D b, double linkingDistance);

// The four end pairings in their fixed order; kNoPairing when none is within reach.
enum Pairing { kStartNearFirst, kEndNearFirst, kStartNearLast, kEndNearLast, kNoPairing = -1 };
int MatchPairing(TPoint2D start, TPoint2D end, TPoint2D first, TPoint2D last, double distance);

// Closed polylines become contours as drawn, in list order.
void MoveClosedPolylines(TLista& polylines, TLista* contours);
// An open polyline without vertices has no ends: it can neither start nor join a chain.
void DropPolylinesWithoutVertices(TLista& polylines);

// Seeds an empty contour from the first segment, else arc, else polyline,
// which is destroyed and removed; returns its layer name. With nothing
// left, ORs stNoStartEntity into *status.
quillform::OwnedName StartContour(TLista& segments, TLista& arcs, TLista& polylines,
                                  TDXFPolygon* contour, int32_t* status);

// Each joins the entity at the contour end its first matching pairing
// names and returns true, or changes nothing and returns false. The entity
// itself is left to the caller.
bool JoinSegment(const TDXFSegment& segment, TDXFPolygon* contour, double linkingDistance);
bool JoinArc(const TDXFArc& arc, TDXFPolygon* contour, double linkingDistance);
bool JoinPolyline(const TDXFPolygon& polyline, TDXFPolygon* contour, double linkingDistance);
// The same with the pairing chosen by the caller: the entity's start
// (kStart...) or end meets the contour's first or last vertex.
bool JoinSegmentAt(const TDXFSegment& segment, TDXFPolygon* contour, int pairing);
bool JoinArcAt(const TDXFArc& arc, TDXFPolygon* contour, int pairing);
bool JoinPolylineAt(const TDXFPolygon& polyline, TDXFPolygon* contour, int pairing);

// The end of one contour: a closed chain loses its repeated last vertex, an
// open one is recorded in openChains (when given) and then dropped, kept, or
// kept and reported, as the open-contour mode says; the contour (if kept) is
// appended to contours, and freed if memory runs out before it is.
void FinishContour(TOwnedPolyline contour, TLista* contours, int32_t* status,
                   double linkingDistance, int32_t openContourMode,
                   std::vector<quillform::OpenChain>* openChains = nullptr);

dxf_info* FirstVertex(const TDXFPolygon* contour);
dxf_info* LastVertex(const TDXFPolygon* contour);
TPoint2D PointOf(const dxf_info* vertex);

} // namespace quillform::detail
