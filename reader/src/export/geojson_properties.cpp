// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "geojson_properties.h"

#include "quillform/measures.h"

namespace quillform::detail {
namespace {
// The part's figures under the names the JSON listing gives them; nothing
// when they are not finite (such a part is left out of the file anyway).
void AddMeasures(const PartMeasures& m, nlohmann::ordered_json& properties) {
    if (!m.finite)
        return;
    properties["area"] = m.area;
    properties["outerArea"] = m.outerArea;
    properties["cutLength"] = m.cutLength;
    properties["outerLength"] = m.outerLength;
    properties["pierces"] = m.pierces;
    properties["width"] = m.width;
    properties["height"] = m.height;
    properties["minRectangle"] = {{"width", m.minRectangle.width},
                                  {"height", m.minRectangle.height},
                                  {"angle", m.minRectangle.angle}};
    properties["hullArea"] = m.hullArea;
    if (m.smallestHole)
        properties["smallestHole"] = *m.smallestHole;
    if (m.smallestRadius)
        properties["smallestRadius"] = *m.smallestRadius;
}
} // namespace

nlohmann::ordered_json PartProperties(const CutPart& part) {
    nlohmann::ordered_json properties;
    properties["layer"] = part.layer->name;
    properties["part"] = part.number;
    AddMeasures(MeasurePart(part.layer->shapes[part.number]), properties);
    return properties;
}

} // namespace quillform::detail
