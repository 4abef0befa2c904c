// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "classify/part_sink.h"

#include "quillform/outline.h"
#include "quillform/shape_records.h"

#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace quillform::detail {

// One part as a value, exactly as the reader's queries give it: polygons
// with their vertices and arc edges, circles with centre and radius, each
// with the box the queries report, then its holes.
Shape ShapeValue(const part2d_any& part);

// A layer's name bytes as the values carry them ("" for none).
std::string LayerBytes(const TLayer& layer);

// The layers of a read as values, in order, each with the shapes that a
// query by its name finds (the first layer of that name).
std::vector<Layer> LayerValues(const TLayers& layers);

// The values of the parts of a read, made as classification files each
// part; the part is freed at once.
class TShapeValues : public TPartSink {
public:
    void Take(const TLayer& layer, std::unique_ptr<part2d_any> part) override;
    // The values filed under layer, moved out.
    std::vector<Shape> TakeShapes(const TLayer& layer);

private:
    // A deque grows without copying what it holds; the vector is made once.
    std::unordered_map<const TLayer*, std::deque<Shape>> shapes_;
};

// The layers of a read as values, in order, each with the shapes the
// classification handed to values under the layer its name finds; the
// list of layers is cleared.
std::vector<Layer> TakeLayerValues(TLayers& layers, TShapeValues& values);

} // namespace quillform::detail
