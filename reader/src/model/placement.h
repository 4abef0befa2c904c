// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/basic_records.h"

namespace quillform::detail {

// A map of the drawing plane onto itself: x' = a x + b y + e, y' = c x + d y + f.
// Block inserts (base point, scale, rotation, insertion point, array cell)
// and object coordinate systems compose into one such map per copy.
struct TAffine2D {
    double a = 1, b = 0, c = 0, d = 1;
    double e = 0, f = 0;

    static TAffine2D Translation(double x, double y);
    static TAffine2D Rotation(double degrees);
    static TAffine2D Scaling(double sx, double sy);

    TPoint2D Apply(TPoint2D p) const;
    // This map followed by next.
    TAffine2D Then(const TAffine2D& next) const;
    double Determinant() const { return a * d - b * c; }
    bool Mirrors() const { return Determinant() < 0; }
    // Whether circles stay circles: a rotation and uniform scale, maybe mirrored.
    bool KeepsCircles() const;
    // The factor by which lengths grow when the map keeps circles.
    double LengthScale() const;
    // The angle (degrees) that the +x direction is turned through.
    double RotationDegrees() const;
    bool IsIdentity() const;
};

// The map from an entity's object coordinate system to the drawing plane
// for the extrusion direction (nx, ny, nz), by the arbitrary-axis algorithm
// of DXF, projected along Z; `elevation` is the entity's height along its
// extrusion. A plane that is not parallel to XY gives a map that does not
// keep circles (its circles are seen as ellipses). False when the direction
// is no direction or the plane is seen edge-on: nothing of it can be placed.
bool ObjectToWorld(double nx, double ny, double nz, double elevation, TAffine2D* map);

} // namespace quillform::detail
