// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/geometry.h"

#include "quillform/shape_records.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace quillform::detail;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// 1000 machine epsilons of 1e-15: the floor of the relative tolerance.
constexpr double kRelativeTolerance = 1e-12;

bool AnyNaN(std::initializer_list<double> values) {
    return std::any_of(values.begin(), values.end(), [](double v) { return std::isnan(v); });
}

bool IsFinitePoint(TPoint2D p) {
    return std::isfinite(p.X) && std::isfinite(p.Y);
}

int Compare(double a, double b, double t) {
    return ToleranceCompare(a, b, t);
}

// (radians * 180) / pi, in this order: multiplying by a rounded 180 / pi
// changes the last digit of some angles, and with them some arc centres.
double Degrees(double radians) {
    return (radians * 180) / kPi;
}

// Replaces the current extreme by the candidate when the candidate lies beyond it.
void TakeMax(double& current, double candidate, double t) {
    if (Compare(current, candidate, t) < 0)
        current = candidate;
}
void TakeMin(double& current, double candidate, double t) {
    if (Compare(current, candidate, t) > 0)
        current = candidate;
}

struct ArcBox {
    double minX, minY, maxX, maxY;
    double cx, cy, r, t;

    // The circle's extreme at an axis direction k (a multiple of 90 degrees).
    void TakeAxis(int k) {
        switch (((k % 360) + 360) % 360) {
        case 0:
            TakeMax(maxX, cx + r, t);
            break;
        case 90:
            TakeMax(maxY, cy + r, t);
            break;
        case 180:
            TakeMin(minX, cx - r, t);
            break;
        default:
            TakeMin(minY, cy - r, t);
            break;
        }
    }
};

double Distance(TPoint2D a, TPoint2D b) {
    return std::sqrt((a.X - b.X) * (a.X - b.X) + (a.Y - b.Y) * (a.Y - b.Y));
}

bool IntersectArcArc(const TArc& arc, const TArc& other, TPoint2D& out, double t) {
    const TPoint2D c1(arc.CenterX, arc.CenterY), c2(other.CenterX, other.CenterY);
    const double r1 = arc.Radius, r2 = other.Radius;
    const double d = Distance(c1, c2);
    if (Compare(d, 0, t) <= 0) // concentric circles never meet here, even equal ones
        return false;
    if (Compare(d, std::fabs(r1) + std::fabs(r2), t) > 0 ||
        Compare(d, std::fabs(std::fabs(r1) - std::fabs(r2)), t) < 0)
        return false;
    const double a = (r1 * r1 - r2 * r2 + d * d) / (2 * d);
    const double h2 = r1 * r1 - a * a;
    const double h = Compare(h2, 0, t) > 0 ? std::sqrt(h2) : 0;
    const double ux = (c2.X - c1.X) / d, uy = (c2.Y - c1.Y) / d;
    const TPoint2D foot(c1.X + a * ux, c1.Y + a * uy);
    const TPoint2D candidates[2] = {TPoint2D(foot.X + h * uy, foot.Y - h * ux),
                                    TPoint2D(foot.X - h * uy, foot.Y + h * ux)};
    for (const TPoint2D& q : candidates) {
        if (ArcContainsAngle(arc, AngleOfPoint(q, c1, std::fabs(r1), t), t) &&
            ArcContainsAngle(other, AngleOfPoint(q, c2, std::fabs(r2), t), t)) {
            out = q;
            return true;
        }
    }
    return false;
}

bool IntersectArcSegment(const TArc& arc, TPoint2D p1, TPoint2D p2, TPoint2D& out, double t) {
    const TPoint2D c(arc.CenterX, arc.CenterY);
    const double r = arc.Radius;
    TPoint2D candidates[2];
    if (ToleranceEqual(p1.Y, p2.Y, t)) {
        const double dy = p1.Y - c.Y;
        if (Compare(std::fabs(dy), r, t) > 0)
            return false;
        const double q = r * r - dy * dy;
        const double s = Compare(q, 0, t) > 0 ? std::sqrt(q) : 0;
        candidates[0] = TPoint2D(c.X - s, p1.Y);
        candidates[1] = TPoint2D(c.X + s, p1.Y);
    } else {
        // Circle equation with x eliminated through x*dy - y*dx = p2.x*p1.y - p1.x*p2.y.
        const double dx = p1.X - p2.X, dy = p1.Y - p2.Y;
        const double cross = p2.X * p1.Y - p1.X * p2.Y;
        const double w = cross - c.X * dy;
        const double h = dx * dx + dy * dy;
        const double j = c.Y * dy * dy - w * dx;
        const double k = w * w + c.Y * c.Y * dy * dy - r * r * dy * dy;
        const double discriminant = j * j - h * k;
        if (!(Compare(discriminant, 0, t) > 0)) // a tangent counts as no crossing
            return false;
        const double root = std::sqrt(discriminant);
        const double ya = (j - root) / h, yb = (j + root) / h;
        candidates[0] = TPoint2D((cross + ya * dx) / dy, ya);
        candidates[1] = TPoint2D((cross + yb * dx) / dy, yb);
    }
    for (const TPoint2D& q : candidates) {
        if (ArcContainsAngle(arc, AngleOfPoint(q, c, r, t), t) && PointInSegmentBox(q, p1, p2, t)) {
            out = q;
            return true;
        }
    }
    return false;
}
} // namespace

bool ToleranceEqual(double a, double b, double tolerance) {
    if (tolerance == 0)
        tolerance =
            std::max(std::min(std::fabs(a), std::fabs(b)) * kRelativeTolerance, kRelativeTolerance);
    return a > b ? (a - b) <= tolerance : (b - a) <= tolerance;
}

int ToleranceCompare(double a, double b, double tolerance) {
    if (ToleranceEqual(a, b, tolerance))
        return 0;
    return a < b ? -1 : 1;
}

double AngleOfPoint(TPoint2D p, TPoint2D centre, double radius, double t) {
    if (radius == 0 || AnyNaN({p.X, p.Y, centre.X, centre.Y, radius}))
        return kNaN;
    const double s = (p.Y - centre.Y) / radius;
    const double as = Compare(s, 1, t) >= 0   ? kHalfPi
                      : Compare(s, -1, t) > 0 ? std::asin(s)
                                              : -kHalfPi;
    const double c = (p.X - centre.X) / radius;
    const double ac = Compare(c, 1, t) >= 0 ? 0 : Compare(c, -1, t) > 0 ? std::acos(c) : kPi;
    const bool obtuse = Compare(ac, kHalfPi, t) > 0;
    if (Compare(as, 0, t) < 0)
        return Degrees(obtuse ? kPi - as : 2 * kPi + as);
    return Degrees(obtuse ? ac : as);
}

void TArc::UpdateAngles(double tolerance) {
    const TPoint2D centre(CenterX, CenterY);
    StartAngle = AngleOfPoint(TPoint2D(StartX, StartY), centre, Radius, tolerance);
    EndAngle = AngleOfPoint(TPoint2D(EndX, EndY), centre, Radius, tolerance);
    UpdateSweep(tolerance);
}

void TArc::UpdateSweep(double tolerance) {
    const double s = StartAngle, e = EndAngle;
    if (Clockwise)
        Sweep = Compare(s, e, tolerance) > 0 ? s - e : 360 - e + s;
    else
        Sweep = Compare(s, e, tolerance) < 0 ? e - s : 360 + e - s;
}

bool AngleInArcRange(const TArc& arc, double start, double end, double angle, double t) {
    if (AnyNaN({start, end, angle}))
        return false;
    const auto between = [t](double low, double a, double high) {
        return Compare(low, a, t) <= 0 && Compare(a, high, t) <= 0;
    };
    const auto outside = [t](double a, double from, double to) {
        return Compare(a, from, t) >= 0 || Compare(a, to, t) <= 0;
    };
    if (!arc.Clockwise)
        return Compare(end, start, t) > 0 ? between(start, angle, end) : outside(angle, start, end);
    return Compare(end, start, t) < 0 ? between(end, angle, start) : outside(angle, end, start);
}

bool ArcContainsAngle(const TArc& arc, double angle, double tolerance) {
    return AngleInArcRange(arc, arc.StartAngle, arc.EndAngle, angle, tolerance);
}

bool PointInSegmentBox(TPoint2D p, TPoint2D a, TPoint2D b, double t) {
    if (AnyNaN({p.X, p.Y, a.X, a.Y, b.X, b.Y}))
        return false;
    const double minX = std::min(a.X, b.X), maxX = std::max(a.X, b.X);
    const double minY = std::min(a.Y, b.Y), maxY = std::max(a.Y, b.Y);
    const bool inX = Compare(minX, p.X, t) <= 0 && Compare(p.X, maxX, t) <= 0;
    const bool inY = Compare(minY, p.Y, t) <= 0 && Compare(p.Y, maxY, t) <= 0;
    if (ToleranceEqual(a.Y, b.Y, t))
        return inX;
    if (ToleranceEqual(a.X, b.X, t))
        return inY;
    return inX && inY;
}

void ArcBoundingBox(const TArc& arc, TPoint2D p1, TPoint2D p2, double& minX, double& minY,
                    double& maxX, double& maxY, double t) {
    ArcBox box{p1.X, p1.Y, p1.X, p1.Y, arc.CenterX, arc.CenterY, std::fabs(arc.Radius), t};
    TakeMin(box.minX, p2.X, t);
    TakeMax(box.maxX, p2.X, t);
    TakeMin(box.minY, p2.Y, t);
    TakeMax(box.maxY, p2.Y, t);
    const double s = arc.StartAngle;
    // Without a finite circle and angles there is no extreme to add.
    if (std::isfinite(box.cx) && std::isfinite(box.cy) && std::isfinite(box.r) &&
        std::isfinite(s) && std::isfinite(arc.Sweep)) {
        if (!arc.Clockwise) {
            const double e = s + arc.Sweep;
            for (int k = 90; k <= 630; k += 90)
                if (Compare(s, k, t) <= 0 && Compare(e, k, t) >= 0)
                    box.TakeAxis(k);
        } else {
            const double e = s - arc.Sweep;
            for (int k = 0; k <= 270; k += 90)
                if (Compare(s, k, t) >= 0 && Compare(e, k, t) <= 0)
                    box.TakeAxis(k);
            for (int k = -90; k >= -270; k -= 90)
                if (Compare(s, 0, t) >= 0 && Compare(e, k, t) <= 0)
                    box.TakeAxis(k + 360);
        }
    }
    minX = box.minX;
    minY = box.minY;
    maxX = box.maxX;
    maxY = box.maxY;
}

void TPolygon::CalcBoundingBox(double tolerance) {
    if (Count < 1) {
        Bounds = TBoundingBox{0, 0, 0, 0, 0, 0};
        return;
    }
    Bounds.MinX = Bounds.MaxX = Points[0].X;
    Bounds.MinY = Bounds.MaxY = Points[0].Y;
    for (int32_t k = 1; k < Count; ++k) {
        Bounds.MinX = std::min(Bounds.MinX, Points[k].X);
        Bounds.MaxX = std::max(Bounds.MaxX, Points[k].X);
        Bounds.MinY = std::min(Bounds.MinY, Points[k].Y);
        Bounds.MaxY = std::max(Bounds.MaxY, Points[k].Y);
    }
    for (int32_t k = 0; k < Count; ++k) {
        if (!Arcs[k].IsArc)
            continue;
        const TPolygonVertex& from = Points[k];
        const TPolygonVertex& to = Points[(k + 1) % Count];
        double minX, minY, maxX, maxY;
        ArcBoundingBox(Arcs[k], TPoint2D(from.X, from.Y), TPoint2D(to.X, to.Y), minX, minY, maxX,
                       maxY, tolerance);
        Bounds.MinX = std::min(Bounds.MinX, minX);
        Bounds.MaxX = std::max(Bounds.MaxX, maxX);
        Bounds.MinY = std::min(Bounds.MinY, minY);
        Bounds.MaxY = std::max(Bounds.MaxY, maxY);
    }
    Bounds.Width = Bounds.MaxX - Bounds.MinX;
    Bounds.Height = Bounds.MaxY - Bounds.MinY;
}

bool IntersectArc(const TArc& arc, TPoint2D p1, TPoint2D p2, const TArc& other, TPoint2D& out,
                  double tolerance) {
    if (AnyNaN({arc.CenterX, arc.CenterY, arc.Radius}))
        return false;
    if (other.IsArc)
        return IntersectArcArc(arc, other, out, tolerance);
    if (!IsFinitePoint(p1) || !IsFinitePoint(p2))
        return false;
    return IntersectArcSegment(arc, p1, p2, out, tolerance);
}

void RotatePoint(TPoint2D& p, TPoint2D centre, double angle) {
    const double a = angle * kPi / 180;
    const double dx = p.X - centre.X, dy = p.Y - centre.Y;
    p.X = centre.X + std::cos(a) * dx - std::sin(a) * dy;
    p.Y = centre.Y + std::sin(a) * dx + std::cos(a) * dy;
}

namespace quillform::detail {

double NormalizedAngle(double angle) {
    if (!std::isfinite(angle))
        return angle;
    double reduced = std::fmod(angle, 360.0);
    if (reduced < 0)
        reduced += 360;
    return reduced >= 360 ? 0 : reduced; // -1e-20 + 360 rounds to 360
}

} // namespace quillform::detail
