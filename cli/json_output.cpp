// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "json_output.h"

#include "quillform/status.h"
#include "quillform/wide_names.h"

using json = nlohmann::ordered_json;

namespace {
json Bounds(const TBoundingBox& box) {
    return {{"minX", box.MinX}, {"minY", box.MinY}, {"maxX", box.MaxX}, {"maxY", box.MaxY}};
}

json Vertices(const TPolygon& polygon) {
    json vertices = json::array();
    for (int32_t k = 0; k < polygon.Count; ++k) {
        json vertex = {{"x", polygon.Points[k].X}, {"y", polygon.Points[k].Y}};
        const TArc& edge = polygon.Arcs[k];
        if (edge.IsArc)
            vertex["arc"] = {{"centerX", edge.CenterX},
                             {"centerY", edge.CenterY},
                             {"radius", edge.Radius},
                             {"direction", edge.Clockwise ? "cw" : "ccw"}};
        vertices.push_back(vertex);
    }
    return vertices;
}

json Outline(const TBaseShape& shape) {
    json outline;
    if (shape.Kind != kShapePolygon && shape.Circle) {
        outline["kind"] = "circle";
        outline["circle"] = {{"centerX", shape.Circle->Center.X},
                             {"centerY", shape.Circle->Center.Y},
                             {"radius", shape.Circle->Radius}};
    } else {
        outline["kind"] = "polygon";
        outline["vertices"] = shape.Polygon ? Vertices(*shape.Polygon) : json::array();
    }
    outline["bounds"] = Bounds(shape.Bounds);
    return outline;
}

json Shape(const TShapeWithHoles& shape) {
    json result = Outline(shape);
    json holes = json::array();
    for (int32_t h = 0; h < shape.HoleCount; ++h)
        holes.push_back(Outline(shape.Holes[h]));
    result["holes"] = holes;
    return result;
}

json Status(int32_t status) {
    json flags = json::array();
    const std::pair<int32_t, const char*> names[] = {{stReadError, "readError"},
                                                     {stNoStartEntity, "noStartEntity"},
                                                     {stOpenContour, "openContour"},
                                                     {stLinkingFailed, "linkingFailed"}};
    for (const auto& [bit, name] : names)
        if (status & bit)
            flags.push_back(name);
    return {{"value", status}, {"flags", flags}};
}
} // namespace

json ResultToJson(const FileResult& result, const Options& options) {
    json layers = json::array();
    for (int32_t i = 0; i < result.shapes.LayerCount; ++i) {
        const TFixedSizeLayer& layer = result.shapes.Layers[i];
        json shapes = json::array();
        for (int32_t j = 0; j < layer.ShapeCount; ++j)
            shapes.push_back(Shape(layer.Shapes[j]));
        layers.push_back({{"name", ToUtf8(WidenName(layer.Name.get()))}, {"shapes", shapes}});
    }
    json settings = {{"distance", options.distance},
                     {"mixLayers", options.mixLayers},
                     {"openMode", options.openMode}};
    if (options.accurate)
        settings["accurate"] = true;
    return {{"file", result.file},
            {"settings", settings},
            {"status", Status(result.status)},
            {"layers", layers}};
}
