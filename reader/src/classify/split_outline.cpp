// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The split outline of a contour and the even-odd point test on it.
#include "classify/split_outline.h"

#include "model/geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace quillform::detail;

namespace {
constexpr double kTol = kClassificationTolerance;
constexpr double kTurn = 2 * kPi;
constexpr double kInf = std::numeric_limits<double>::infinity();

const dxf_info& VertexOf(const TListaNode* node) {
    return *static_cast<const dxf_info*>(node->Item);
}

double DistanceTo(const TPoint2D& centre, double x, double y) {
    return std::sqrt((x - centre.X) * (x - centre.X) + (y - centre.Y) * (y - centre.Y));
}

enum Cut { kTop, kBottom };

// Direction of (dx, dy) in [0, 2 pi).
double Direction(double dx, double dy) {
    const double a = std::atan2(dy, dx);
    return a < 0 ? a + kTurn : a;
}

// The extreme points an arc edge from a to b passes more than the tolerance
// (along the arc) away from both its ends, in the order the arc reaches
// them. Ends in the same direction from the centre make a full turn.
int CutsOf(const dxf_info& a, const dxf_info& b, Cut cuts[2]) {
    const double cx = a.center_x, cy = a.center_y;
    const double r = DistanceTo(TPoint2D(cx, cy), a.x, a.y);
    const double from = Direction(a.x - cx, a.y - cy), to = Direction(b.x - cx, b.y - cy);
    const bool clockwise = a.clockwise;
    double sweep = clockwise ? from - to : to - from;
    if (sweep <= 0)
        sweep += kTurn;
    const auto reachedAfter = [&](double target) {
        const double offset = clockwise ? from - target : target - from;
        return offset < 0 ? offset + kTurn : offset;
    };
    int count = 0;
    double at[2];
    for (const Cut cut : {kTop, kBottom}) {
        const double offset = reachedAfter(cut == kTop ? kHalfPi : 3 * kHalfPi);
        if (offset * r > kTol && (sweep - offset) * r > kTol) {
            cuts[count] = cut;
            at[count++] = offset;
        }
    }
    if (count == 2 && at[1] < at[0])
        std::swap(cuts[0], cuts[1]);
    return count;
}

// Largest finite magnitude among the values, for a margin that grows with
// the rounding of the coordinates.
double FiniteMagnitude(std::initializer_list<double> values) {
    double largest = 0;
    for (const double v : values)
        if (std::isfinite(v))
            largest = std::max(largest, std::fabs(v));
    return largest;
}

struct Extent {
    double minX = kInf, minY = kInf, maxX = -kInf, maxY = -kInf;

    // Plain comparisons: a NaN coordinate widens nothing.
    void Take(double x, double y) {
        if (x < minX)
            minX = x;
        if (x > maxX)
            maxX = x;
        if (y < minY)
            minY = y;
        if (y > maxY)
            maxY = y;
    }

    // A sub-arc is monotone in y; when it crosses the horizontal line through
    // its centre it passes the circle's rightmost or leftmost point.
    void TakeSideOf(const TArc& arc, const TPoint2D& from, const TPoint2D& to) {
        const double cy = arc.CenterY;
        if (!((from.Y < cy && to.Y > cy) || (from.Y > cy && to.Y < cy)))
            return;
        const bool up = to.Y > from.Y;
        const bool right = up != static_cast<bool>(arc.Clockwise);
        Take(right ? arc.CenterX + arc.Radius : arc.CenterX - arc.Radius, cy);
    }

    TBoundingBox Widened() const {
        // Twice the tolerance: an arc left whole because it passes an extreme
        // point within the tolerance of its end may reach that far beyond it.
        const double mx = 2 * kTol + 1e-12 * FiniteMagnitude({minX, maxX});
        const double my = 2 * kTol + 1e-12 * FiniteMagnitude({minY, maxY});
        TBoundingBox box;
        box.MinX = minX - mx;
        box.MaxX = maxX + mx;
        box.MinY = minY - my;
        box.MaxY = maxY + my;
        box.Width = box.MaxX - box.MinX;
        box.Height = box.MaxY - box.MinY;
        return box;
    }
};
// Gives a sub-arc its angles and returns the end of the ray segment it is
// tested against: one beyond the right side of its box.
double RayEndOf(TArc& arc, const TPoint2D& from, const TPoint2D& to) {
    arc.UpdateAngles(kTol);
    double minX, minY, maxX, maxY;
    ArcBoundingBox(arc, from, to, minX, minY, maxX, maxY, kTol);
    return maxX + 1;
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

// The split outline's points and sub-arcs, taken in outline order without
// storing them.
namespace quillform::detail {

TBoundingBox SplitOutlineBounds(const TDXFPolygon& contour, int32_t* count) {
    Extent extent;
    int32_t n = 0;
    for (const TListaNode* node = contour.Head; node; node = node->Next) {
        const dxf_info& a = VertexOf(node);
        extent.Take(a.x, a.y);
        ++n;
        if (!a.is_arc)
            continue;
        const dxf_info& b = *contour.NextItem(node);
        TArc arc;
        arc.Clockwise = a.clockwise;
        arc.CenterX = a.center_x;
        arc.CenterY = a.center_y;
        arc.Radius = DistanceTo(TPoint2D(a.center_x, a.center_y), a.x, a.y);
        Cut cuts[2];
        const int cutCount = CutsOf(a, b, cuts);
        TPoint2D from(a.x, a.y);
        for (int k = 0; k <= cutCount; ++k) {
            const TPoint2D to =
                k < cutCount ? TPoint2D(arc.CenterX,
                                        arc.CenterY + (cuts[k] == kTop ? arc.Radius : -arc.Radius))
                             : TPoint2D(b.x, b.y);
            extent.TakeSideOf(arc, from, to);
            if (k < cutCount)
                extent.Take(to.X, to.Y);
            from = to;
        }
        n += cutCount;
    }
    if (count)
        *count = n;
    return extent.Widened();
}

TSplitOutline::TSplitOutline(const TDXFPolygon& contour)
    : Points(contour.CountSplitPoints(kTol)), Edges(Points.size()) {
    contour.SplitOutline(Points.data(), Edges.data(), &Count, kTol);
    Bounds = SplitOutlineBounds(contour, nullptr);
    RayEnds.assign(Points.size(), 0);
    for (int32_t k = 0; k < Count; ++k)
        if (Edges[k].IsArc)
            RayEnds[k] = RayEndOf(Edges[k], Points[k], Points[(k + 1) % Count]);
}

bool WithinBounds(const TBoundingBox& box, double x, double y) {
    return box.MinX <= x && x <= box.MaxX && box.MinY <= y && y <= box.MaxY;
}

} // namespace quillform::detail

namespace {
// Whether the sub-arc meets the horizontal ray segment from (x, y) to (rayEnd, y).
bool ArcCrossesRay(const TArc& arc, double rayEnd, double x, double y) {
    const TArc segment; // IsArc 0: the other edge is the ray segment
    TPoint2D meeting;
    return IntersectArc(arc, TPoint2D(x, y), TPoint2D(rayEnd, y), segment, meeting, kTol);
}
} // namespace

// Points outside the outline's bounds are outside. The ray count alone can
// disagree there: just below the top of a small circle a sub-arc's crossing
// may be missed, and then every point far to its left would count as inside.
bool PointInOutline(const TSplitOutline& outline, double x, double y) {
    const int32_t n = outline.Count;
    if (n < 2 || !WithinBounds(outline.Bounds, x, y))
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
        } else if (ArcCrossesRay(outline.Edges[j], outline.RayEnds[j], x, y)) {
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
