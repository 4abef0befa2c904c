// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "link/nearest_first.h"

#include "link/contour_building.h"

#include <cmath>

namespace quillform::detail {

namespace {
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180;

bool Better(const TEndOffer& a, const TEndOffer& b) {
    if (a.rank == TEndOffer::kNone)
        return false;
    return b.rank == TEndOffer::kNone || a.distance < b.distance ||
           (a.distance == b.distance && a.rank < b.rank);
}

// The length of the edge that leaves vertex: its arc, or the straight line to next.
double EdgeLength(const dxf_info& vertex, const dxf_info& next) {
    if (vertex.is_arc)
        return vertex.radius * vertex.sweep * kRadiansPerDegree;
    return EndDistance(PointOf(&vertex), PointOf(&next));
}

const dxf_info& At(const TListaNode* node) {
    return *static_cast<const dxf_info*>(node->Item);
}

void MoveVertex(TListaNode* node, const dxf_info& onto) {
    auto* vertex = static_cast<dxf_info*>(node->Item);
    vertex->x = onto.x;
    vertex->y = onto.y;
}
} // namespace

bool EndIsNearer(double startDistance, double endDistance) {
    if (std::isnan(endDistance))
        return false;
    return std::isnan(startDistance) || endDistance < startDistance;
}

int ChooseNearest(const TDXFPolygon& contour, const TEndOffer& atFirst, const TEndOffer& atLast,
                  double linkingDistance) {
    const bool useLast = Better(atLast, atFirst);
    const TEndOffer& best = useLast ? atLast : atFirst;
    if (best.rank == TEndOffer::kNone)
        return kNoPairing;
    const TPoint2D first = PointOf(FirstVertex(&contour)), last = PointOf(LastVertex(&contour));
    if (Near(first, last, linkingDistance) && EndDistance(first, last) <= best.distance)
        return kNoPairing;
    return (useLast ? kStartNearLast : kStartNearFirst) + (best.atEnd ? 1 : 0);
}

void CloseAcrossShortEnd(TDXFPolygon* contour, double linkingDistance) {
    if (contour->Count < 3)
        return;
    const TListaNode* first = contour->Head;
    const TListaNode* last = contour->Tail;
    if (Near(PointOf(&At(first)), PointOf(&At(last)), linkingDistance))
        return;
    const TListaNode* beforeLast = last->Prev;
    if (EdgeLength(At(beforeLast), At(last)) <= linkingDistance &&
        Near(PointOf(&At(beforeLast)), PointOf(&At(first)), linkingDistance)) {
        MoveVertex(contour->Tail, At(first));
        return;
    }
    const TListaNode* second = first->Next;
    if (EdgeLength(At(first), At(second)) <= linkingDistance &&
        Near(PointOf(&At(second)), PointOf(&At(last)), linkingDistance))
        MoveVertex(contour->Head, At(last));
}

} // namespace quillform::detail
