// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The one-call reader: the read's results as plain values.
#include "quillform/drawing.h"

#include "api/layer_values.h"
#include "pipeline/read_pipeline.h"

#include "quillform/dxf_quillform.h"
#include "quillform/status.h"

#include <algorithm>
#include <new>

namespace quillform {
namespace {
void Widen(Bounds& all, const Bounds& b, bool first) {
    if (first) {
        all = b;
        return;
    }
    all.minX = std::min(all.minX, b.minX);
    all.minY = std::min(all.minY, b.minY);
    all.maxX = std::max(all.maxX, b.maxX);
    all.maxY = std::max(all.maxY, b.maxY);
}

// The box of all the shapes of a drawing's layers, and the unit of its lengths.
void SetBoundsAndLengths(Drawing& d) {
    for (const Layer& layer : d.layers)
        for (const Shape& shape : layer.shapes) {
            Widen(d.bounds, shape.bounds, !d.hasShapes);
            d.hasShapes = true;
        }
    d.lengths = d.unit;
}
} // namespace

bool Drawing::Read() const {
    return !(status & (stReadError | stNotDrawing | stOutOfMemory | stExpansionLimit));
}

Drawing CopyDrawing(const TDXFQuillform& reader) {
    Drawing d;
    static_cast<Diagnostics&>(d) = reader.FReport;
    d.status = reader.FStatus;
    d.layers = detail::LayerValues(reader.FLayers);
    SetBoundsAndLengths(d);
    return d;
}

Drawing ReadDrawing(const std::filesystem::path& path, const Settings& settings,
                    const quillform::EntityEvents& events) {
    Drawing d;
    try {
        d.file = path.string();
        if (detail::RefuseBadSettings(settings, &d.status, d))
            return d;
        TLayers layers;
        // Each part's record is freed as soon as its value is made.
        detail::TShapeValues values;
        detail::ReadFile(path.native(), settings, events,
                         detail::TReadTarget{&layers, nullptr, &values}, &d.status, d);
        d.layers = detail::TakeLayerValues(layers, values);
        SetBoundsAndLengths(d);
        d.file = path.string();
    } catch (const std::bad_alloc&) {
        // Memory ran out while the results were copied: none are given.
        d.layers.clear();
        d.bounds = Bounds();
        d.hasShapes = false;
        d.status |= stOutOfMemory;
    }
    return d;
}

} // namespace quillform
