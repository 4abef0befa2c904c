// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/geometry_constants.h"
#include "quillform/basic_records.h"

// The floating-point kernel. Angles are degrees, counter-clockwise from +x.
//
// Degenerate input: a NaN is never equal to anything (ToleranceCompare gives
// +1 for it), an angle that involves a NaN or a zero radius is NaN, and a NaN
// angle lies on no arc; so NaN or zero-radius geometry is never inside,
// never intersects and never widens a box beyond its own end points.

// |a - b| <= t; a tolerance of 0 means a relative one, max(min(|a|, |b|) * 1e-12, 1e-12).
bool ToleranceEqual(double a, double b, double tolerance);
// 0 when ToleranceEqual, -1 when a < b, +1 otherwise.
int ToleranceCompare(double a, double b, double tolerance);

// Direction of p seen from centre, in [0, 360) (tiny negatives just below +x).
// The radius only scales sine and cosine before they are clamped.
double AngleOfPoint(TPoint2D p, TPoint2D centre, double radius, double tolerance);

// Whether angle lies on the arc from start to end in the arc's direction
// (only Clockwise is read from arc). Equal start and end accept every angle.
bool AngleInArcRange(const TArc& arc, double start, double end, double angle, double tolerance);
bool ArcContainsAngle(const TArc& arc, double angle, double tolerance);

// Whether p, lying on the line through a and b, lies within the segment's extent.
bool PointInSegmentBox(TPoint2D p, TPoint2D a, TPoint2D b, double tolerance);

// Box of the arc from p1 to p2 using its StartAngle, Sweep, direction, centre and radius.
void ArcBoundingBox(const TArc& arc, TPoint2D p1, TPoint2D p2, double& minX, double& minY,
                    double& maxX, double& maxY, double tolerance);

// At most one point where arc meets the other edge: the segment p1-p2 when
// other.IsArc is 0, else the arc other. Both arcs need current angles.
bool IntersectArc(const TArc& arc, TPoint2D p1, TPoint2D p2, const TArc& other, TPoint2D& out,
                  double tolerance);

// Rotates p about centre by angle degrees, counter-clockwise for positive angles.
void RotatePoint(TPoint2D& p, TPoint2D centre, double angle);

namespace quillform::detail {
// The same direction in [0, 360); non-finite angles are returned unchanged.
double NormalizedAngle(double angle);
} // namespace quillform::detail
