// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/drawing.h"
#include "quillform/dxf_quillform.h"
#include "quillform/export.h"
#include "quillform/shape_records.h"

#include <cstdint>
#include <memory>

// A host's own copy of one read's results, made inside OnReadDone, so that
// it outlives the read.

struct TShapeWithHoles : TBaseShape {
    int32_t HoleCount = 0;
    std::unique_ptr<TBaseShape[]> Holes; // absent when HoleCount is 0
};

struct TFixedSizeLayer {
    std::unique_ptr<char[]> Name;
    std::unique_ptr<TShapeWithHoles[]> Shapes;
    int32_t ShapeCount = 0;
};

namespace quillform {

struct TResultCopy {
    std::unique_ptr<TFixedSizeLayer[]> Layers;
    int32_t LayerCount = 0;
    // Box of all shapes; empty-box values while there is none.
    TBoundingBox Overall;
};

// Call inside OnReadDone. Polygons keep only vertices and, for arc edges,
// centre, radius and direction; each record's Bounds holds the reported box.
QUILLFORM_EXPORT TResultCopy CopyResults(const TDXFQuillform& reader);

// The same records made from a drawing's values, and back.
QUILLFORM_EXPORT TResultCopy ToResultCopy(const Drawing& drawing);
QUILLFORM_EXPORT Layer ToValue(const TFixedSizeLayer& layer);

} // namespace quillform
