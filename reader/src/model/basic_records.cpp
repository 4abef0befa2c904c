// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/basic_records.h"

TCircle::~TCircle() {
    // Zeroed on the way out so that a stale copy never looks like a live circle.
    Radius = 0;
    Spare = 0;
    Center = TPoint2D();
    Bounds.MinX = Bounds.MinY = Bounds.MaxX = Bounds.MaxY = 0;
}

void TCircle::CalcBoundingBox() {
    Bounds.MinX = Center.X - Radius;
    Bounds.MinY = Center.Y - Radius;
    Bounds.MaxX = Center.X + Radius;
    Bounds.MaxY = Center.Y + Radius;
    Bounds.Width = Bounds.MaxX - Bounds.MinX;
    Bounds.Height = Bounds.MaxY - Bounds.MinY;
}
