// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/export.h"

#include <cstdint>

namespace quillform {
// The empty box uses a tenth of the largest double, not the largest itself,
// so that max - min of an empty box stays finite.
constexpr double kEmptyBoxMin = 1.79769e307;
constexpr double kEmptyBoxMax = -1.79769e307;
} // namespace quillform

struct TPoint2D {
    double X = 0;
    double Y = 0;
    TPoint2D() = default;
    TPoint2D(double x, double y) : X(x), Y(y) {}
};

struct TBoundingBox {
    double MinX = quillform::kEmptyBoxMin;
    double MinY = quillform::kEmptyBoxMin;
    double MaxX = quillform::kEmptyBoxMax;
    double MaxY = quillform::kEmptyBoxMax;
    double Width = 0;
    double Height = 0;
};

// An arc entity, or the record of the edge leaving a polygon vertex.
struct QUILLFORM_EXPORT TArc {
    uint8_t IsArc = 0;
    uint8_t Clockwise = 0;
    int32_t Tag = 0;
    double Radius = 0;
    double StartAngle = 0;
    double EndAngle = 0;
    double Sweep = 0;
    double CenterX = 0;
    double CenterY = 0;
    double StartX = 0;
    double StartY = 0;
    double EndX = 0;
    double EndY = 0;

    void UpdateAngles(double tolerance);
    void UpdateSweep(double tolerance);
};

struct QUILLFORM_EXPORT TCircle {
    double Radius = 0;
    double Spare = 0;
    TPoint2D Center;
    TBoundingBox Bounds{0, 0, 0, 0, 0, 0};

    TCircle() = default;
    TCircle(const TCircle&) = default;
    TCircle& operator=(const TCircle&) = default;
    ~TCircle();

    void CalcBoundingBox();
};
