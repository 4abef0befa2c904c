// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/outline.h"
#include "quillform/shape_records.h"

#include <string>
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
// The same, consuming the layers: each part is freed once its value is
// made, and the list is cleared at the end.
std::vector<Layer> TakeLayerValues(TLayers& layers);

} // namespace quillform::detail
