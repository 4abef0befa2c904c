// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Containment tests between contours and circles, and hole collection.
// Nothing is cached: each contour-in-contour test rebuilds the container's
// split outline.
#include "quillform/classification.h"

#include "quillform/geometry.h"

#include <cmath>

namespace {
constexpr double kTol = kClassificationTolerance;

const dxf_info& VertexOf(const TListaNode* node) {
    return *static_cast<const dxf_info*>(node->Item);
}

double DistanceTo(const TPoint2D& centre, double x, double y) {
    return std::sqrt((x - centre.X) * (x - centre.X) + (y - centre.Y) * (y - centre.Y));
}

enum Cut { kTop, kBottom };

// The extreme points an arc edge passes, in the order the arc reaches them.
int CutsOf(const dxf_info& a, const dxf_info& b, Cut cuts[2]) {
    const double cx = a.center_x;
    const bool clockwise = a.clockwise;
    if ((a.x - cx) * (b.x - cx) < 0) {
        const bool rightToLeft = a.x > cx;
        cuts[0] = (!clockwise && rightToLeft) || (clockwise && !rightToLeft) ? kTop : kBottom;
        return 1;
    }
    const int sideA = ToleranceCompare(a.x, cx, kTol), sideB = ToleranceCompare(b.x, cx, kTol);
    if (sideA == 0 || sideA != sideB)
        return 0;
    const bool left = sideA < 0;
    const int rise = ToleranceCompare(a.y, b.y, kTol);
    const bool passesBoth =
        clockwise ? (left ? rise >= 0 : rise <= 0) : (left ? rise <= 0 : rise >= 0);
    if (!passesBoth)
        return 0;
    // Counter-clockwise on the right and clockwise on the left go up first.
    const bool topFirst = clockwise == left;
    cuts[0] = topFirst ? kTop : kBottom;
    cuts[1] = topFirst ? kBottom : kTop;
    return 2;
}

bool SameLayer(const char* a, const char* b) {
    return SameName(a, b);
}

const char* LayerOf(const TListaNode* node, bool contour) {
    return contour ? static_cast<const TDXFPolygon*>(node->Item)->Layer.get()
                   : static_cast<const TDXFCircle*>(node->Item)->Layer.get();
}

// Unlinks a node into a hole list, keeping the caller's walk position valid.
TListaNode* MoveToHoles(TLista* from, TListaNode* node, TLista* holes, TListaNode** position,
                        bool adjustPosition) {
    holes->Add(node->Item);
    TListaNode* next = from->Remove(node);
    if (adjustPosition && *position == node)
        *position = next;
    return next;
}
} // namespace

int32_t TDXFPolygon::CountSplitPoints(double /*tolerance*/) const {
    int32_t count = 0;
    for (const TListaNode* node = Head; node; node = node->Next) {
        ++count;
        const dxf_info& a = VertexOf(node);
        Cut cuts[2];
        if (a.is_arc)
            count += CutsOf(a, *NextItem(node), cuts);
    }
    return count;
}

void TDXFPolygon::SplitOutline(TPoint2D* points, TArc* edges, int32_t* count,
                               double /*tolerance*/) const {
    int32_t n = 0;
    for (const TListaNode* node = Head; node; node = node->Next) {
        const dxf_info& a = VertexOf(node);
        points[n] = TPoint2D(a.x, a.y);
        if (!a.is_arc) {
            ++n;
            continue;
        }
        const dxf_info& b = *NextItem(node);
        const TPoint2D centre(a.center_x, a.center_y);
        const double r = DistanceTo(centre, a.x, a.y); // recomputed, not the stored radius
        Cut cuts[2];
        const int cutCount = CutsOf(a, b, cuts);
        for (int k = 0; k <= cutCount; ++k) {
            if (k > 0)
                points[n + k] = TPoint2D(centre.X, centre.Y + (cuts[k - 1] == kTop ? r : -r));
            const TPoint2D end = k < cutCount
                                     ? TPoint2D(centre.X, centre.Y + (cuts[k] == kTop ? r : -r))
                                     : TPoint2D(b.x, b.y);
            TArc& edge = edges[n + k];
            edge.IsArc = 1;
            edge.Clockwise = a.clockwise;
            edge.CenterX = centre.X;
            edge.CenterY = centre.Y;
            edge.Radius = r;
            edge.StartX = points[n + k].X;
            edge.StartY = points[n + k].Y;
            edge.EndX = end.X;
            edge.EndY = end.Y;
        }
        n += cutCount + 1;
    }
    *count = n;
}

TSplitOutline::TSplitOutline(const TDXFPolygon& contour)
    : Points(contour.CountSplitPoints(kTol)), Edges(Points.size()) {
    contour.SplitOutline(Points.data(), Edges.data(), &Count, kTol);
}

namespace {
// Whether the sub-arc from p to q meets the horizontal ray from (x, y) towards +x.
bool ArcCrossesRay(TArc arc, TPoint2D from, TPoint2D to, double x, double y) {
    arc.UpdateAngles(kTol);
    double minX, minY, maxX, maxY;
    ArcBoundingBox(arc, from, to, minX, minY, maxX, maxY, kTol);
    const TArc segment; // IsArc 0: the other edge is the ray segment
    TPoint2D meeting;
    return IntersectArc(arc, TPoint2D(x, y), TPoint2D(maxX + 1, y), segment, meeting, kTol);
}
} // namespace

bool PointInOutline(const TSplitOutline& outline, double x, double y) {
    const int32_t n = outline.Count;
    if (n < 2)
        return false;
    bool inside = false;
    for (int32_t i = 0, j = n - 1; i < n; j = i++) {
        const TPoint2D& pi = outline.Points[i];
        const TPoint2D& pj = outline.Points[j];
        if ((pj.Y > y) == (pi.Y > y))
            continue;
        if (!outline.Edges[j].IsArc) {
            const double crossing = pi.X + (pj.X - pi.X) * (y - pi.Y) / (pj.Y - pi.Y);
            if (crossing > x)
                inside = !inside;
        } else if (ArcCrossesRay(outline.Edges[j], pj, pi, x, y)) {
            inside = !inside;
        }
    }
    return inside;
}

bool AllVerticesInOutline(const TSplitOutline& outline, const TDXFPolygon& contour) {
    for (const TListaNode* node = contour.Head; node; node = node->Next)
        if (!PointInOutline(outline, VertexOf(node).x, VertexOf(node).y))
            return false;
    return true;
}

bool TDXFPolygon::IsInsideCircle(const TDXFCircle* circle) const {
    for (const TListaNode* node = Head; node; node = node->Next)
        if (!(DistanceTo(circle->Center, VertexOf(node).x, VertexOf(node).y) <=
              circle->Radius + kTol))
            return false;
    return true;
}

bool TDXFCircle::IsInsideContour(const TDXFPolygon* contour) const {
    for (const TListaNode* node = contour->Head; node; node = node->Next)
        if (!(DistanceTo(Center, VertexOf(node).x, VertexOf(node).y) >= Radius + kTol))
            return false;
    return PointInOutline(TSplitOutline(*contour), Center.X, Center.Y);
}

bool TDXFPolygon::IsInsideOtherContour(const TListaNode* ownNode, const TLista* contours) const {
    for (const TListaNode* node = contours->Head; node; node = node->Next) {
        const auto* other = static_cast<const TDXFPolygon*>(node->Item);
        if (node != ownNode && SameLayer(other->Layer.get(), Layer.get()) &&
            AllVerticesInOutline(TSplitOutline(*other), *this))
            return true;
    }
    return false;
}

bool TDXFPolygon::IsInsideAnyCircle(const TLista* circles) const {
    for (const TListaNode* node = circles->Head; node; node = node->Next) {
        const auto* circle = static_cast<const TDXFCircle*>(node->Item);
        if (SameLayer(circle->Layer.get(), Layer.get()) && IsInsideCircle(circle))
            return true;
    }
    return false;
}

bool TDXFPolygon::IsInsideAnyHole(const TLista* holeContours, const TLista* holeCircles) const {
    return IsInsideOtherContour(nullptr, holeContours) || IsInsideAnyCircle(holeCircles);
}

bool TDXFCircle::IsInsideOtherCircle(const TListaNode* ownNode, const TLista* circles) const {
    for (const TListaNode* node = circles->Head; node; node = node->Next) {
        const auto* other = static_cast<const TDXFCircle*>(node->Item);
        if (node != ownNode && SameLayer(other->Layer.get(), Layer.get()) &&
            DistanceTo(other->Center, Center.X, Center.Y) < other->Radius - Radius)
            return true;
    }
    return false;
}

bool TDXFCircle::IsInsideAnyContour(const TLista* contours) const {
    for (const TListaNode* node = contours->Head; node; node = node->Next) {
        const auto* contour = static_cast<const TDXFPolygon*>(node->Item);
        if (SameLayer(contour->Layer.get(), Layer.get()) && IsInsideContour(contour))
            return true;
    }
    return false;
}

bool TDXFCircle::IsInsideAnyHole(const TLista* holeContours, const TLista* holeCircles) const {
    return IsInsideAnyContour(holeContours) || IsInsideOtherCircle(nullptr, holeCircles);
}

void TDXFPolygon::CollectHoles(TLista* contours, TLista* circles, TListaNode** position,
                               TLista* holeContours, TLista* holeCircles) const {
    const TSplitOutline outline(*this);
    for (TListaNode* node = contours->Head; node;) {
        const auto* h = static_cast<const TDXFPolygon*>(node->Item);
        const bool hole =
            SameLayer(LayerOf(node, true), Layer.get()) && AllVerticesInOutline(outline, *h) &&
            !h->IsInsideOtherContour(node, contours) && !h->IsInsideAnyCircle(circles) &&
            !h->IsInsideAnyHole(holeContours, holeCircles);
        node = hole ? MoveToHoles(contours, node, holeContours, position, true) : node->Next;
    }
    for (TListaNode* node = circles->Head; node;) {
        const auto* k = static_cast<const TDXFCircle*>(node->Item);
        const bool hole = SameLayer(LayerOf(node, false), Layer.get()) &&
                          k->IsInsideContour(this) && !k->IsInsideAnyContour(contours) &&
                          !k->IsInsideOtherCircle(node, circles) &&
                          !k->IsInsideAnyHole(holeContours, holeCircles);
        node = hole ? MoveToHoles(circles, node, holeCircles, position, false) : node->Next;
    }
}

void TDXFCircle::CollectHoles(TLista* contours, TLista* circles, TListaNode** position,
                              TLista* holeContours, TLista* holeCircles) const {
    for (TListaNode* node = contours->Head; node;) {
        const auto* h = static_cast<const TDXFPolygon*>(node->Item);
        const bool hole = SameLayer(LayerOf(node, true), Layer.get()) && h->IsInsideCircle(this) &&
                          !h->IsInsideOtherContour(node, contours) &&
                          !h->IsInsideAnyCircle(circles) &&
                          !h->IsInsideAnyHole(holeContours, holeCircles);
        node = hole ? MoveToHoles(contours, node, holeContours, position, false) : node->Next;
    }
    for (TListaNode* node = circles->Head; node;) {
        const auto* k = static_cast<const TDXFCircle*>(node->Item);
        const bool hole =
            SameLayer(LayerOf(node, false), Layer.get()) &&
            DistanceTo(Center, k->Center.X, k->Center.Y) < std::fabs(Radius - k->Radius) &&
            !k->IsInsideAnyContour(contours) && !k->IsInsideOtherCircle(node, circles) &&
            !k->IsInsideAnyHole(holeContours, holeCircles);
        node = hole ? MoveToHoles(circles, node, holeCircles, position, true) : node->Next;
    }
}
