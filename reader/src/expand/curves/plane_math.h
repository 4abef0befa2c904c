// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/basic_records.h"

#include <cmath>

namespace quillform::detail {

// Small vector arithmetic on plane points, kept in its own namespace so that these operators
// never meet other code's overloads on TPoint2D.
namespace curve_math {

inline TPoint2D operator+(TPoint2D a, TPoint2D b) {
    return {a.X + b.X, a.Y + b.Y};
}
inline TPoint2D operator-(TPoint2D a, TPoint2D b) {
    return {a.X - b.X, a.Y - b.Y};
}
inline TPoint2D operator*(double s, TPoint2D a) {
    return {s * a.X, s * a.Y};
}
inline double Dot(TPoint2D a, TPoint2D b) {
    return a.X * b.X + a.Y * b.Y;
}
inline double Cross(TPoint2D a, TPoint2D b) {
    return a.X * b.Y - a.Y * b.X;
}
// Plain square root, not hypot: this runs in the innermost loops, and drawings hold no
// coordinates near 1e154 where the squares would overflow.
inline double Length(TPoint2D a) {
    return std::sqrt(a.X * a.X + a.Y * a.Y);
}
inline double Distance(TPoint2D a, TPoint2D b) {
    return Length(a - b);
}
// Turned a quarter turn counter-clockwise.
inline TPoint2D Perp(TPoint2D a) {
    return {-a.Y, a.X};
}
inline bool IsFinite(TPoint2D a) {
    return std::isfinite(a.X) && std::isfinite(a.Y);
}
// The zero vector stays zero rather than becoming NaN.
inline TPoint2D Unit(TPoint2D a) {
    const double length = Length(a);
    return length > 0 ? (1 / length) * a : TPoint2D();
}
// The angle from direction a to direction b, in (-pi, pi].
inline double TurnAngle(TPoint2D a, TPoint2D b) {
    return std::atan2(Cross(a, b), Dot(a, b));
}

} // namespace curve_math

} // namespace quillform::detail
