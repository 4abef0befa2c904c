// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/placement.h"

#include "model/geometry_constants.h"

#include <cmath>

namespace quillform::detail {

namespace {
// Relative tolerance under which two lengths of a map count as equal, and
// under which an extrusion counts as parallel to Z: well above rounding of
// values written with 15 digits, far below anything a drawing means.
constexpr double kMapTolerance = 1e-9;

bool Near(double x, double y) {
    return std::fabs(x - y) <= kMapTolerance * std::max(1.0, std::max(std::fabs(x), std::fabs(y)));
}
} // namespace

TAffine2D TAffine2D::Translation(double x, double y) {
    TAffine2D map;
    map.e = x;
    map.f = y;
    return map;
}

TAffine2D TAffine2D::Rotation(double degrees) {
    const double angle = degrees * kPi / 180;
    TAffine2D map;
    map.a = std::cos(angle);
    map.b = -std::sin(angle);
    map.c = std::sin(angle);
    map.d = std::cos(angle);
    return map;
}

TAffine2D TAffine2D::Scaling(double sx, double sy) {
    TAffine2D map;
    map.a = sx;
    map.d = sy;
    return map;
}

TPoint2D TAffine2D::Apply(TPoint2D p) const {
    return TPoint2D(a * p.X + b * p.Y + e, c * p.X + d * p.Y + f);
}

TAffine2D TAffine2D::Then(const TAffine2D& next) const {
    TAffine2D map;
    map.a = next.a * a + next.b * c;
    map.b = next.a * b + next.b * d;
    map.c = next.c * a + next.d * c;
    map.d = next.c * b + next.d * d;
    map.e = next.a * e + next.b * f + next.e;
    map.f = next.c * e + next.d * f + next.f;
    return map;
}

bool TAffine2D::KeepsCircles() const {
    // The images of the unit axes: equally long and perpendicular.
    const double lx = std::hypot(a, c), ly = std::hypot(b, d);
    const double dot = a * b + c * d;
    return lx > 0 && Near(lx, ly) && std::fabs(dot) <= kMapTolerance * lx * ly;
}

double TAffine2D::LengthScale() const {
    return std::sqrt(std::fabs(Determinant()));
}

double TAffine2D::RotationDegrees() const {
    return std::atan2(c, a) * 180 / kPi;
}

bool TAffine2D::IsIdentity() const {
    return a == 1 && b == 0 && c == 0 && d == 1 && e == 0 && f == 0;
}

bool ObjectToWorld(double nx, double ny, double nz, double elevation, TAffine2D* map) {
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!(length > 0) || !std::isfinite(length))
        return false;
    nx /= length;
    ny /= length;
    nz /= length;
    *map = TAffine2D();
    // The usual directions, +Z and -Z (a mirror in x), exactly, whatever
    // rounding the file carries.
    if (std::fabs(nx) <= kMapTolerance && std::fabs(ny) <= kMapTolerance) {
        map->a = nz < 0 ? -1 : 1;
        return true;
    }
    if (std::fabs(nz) <= kMapTolerance)
        return false; // seen edge-on
    // Ax = Wy x N (or Wz x N for directions far from Z), Ay = N x Ax.
    const bool nearZ = std::fabs(nx) < 1.0 / 64 && std::fabs(ny) < 1.0 / 64;
    double ax = nearZ ? nz : -ny, ay = nearZ ? 0 : nx, az = nearZ ? -nx : 0;
    const double axLength = std::sqrt(ax * ax + ay * ay + az * az);
    ax /= axLength;
    ay /= axLength;
    az /= axLength;
    const double bx = ny * az - nz * ay, by = nz * ax - nx * az;
    map->a = ax;
    map->b = bx;
    map->c = ay;
    map->d = by;
    map->e = elevation * nx;
    map->f = elevation * ny;
    return true;
}

} // namespace quillform::detail
