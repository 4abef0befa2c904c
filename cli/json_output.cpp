// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "json_output.h"

#include "quillform/read_report.h"
#include "quillform/status.h"
#include "quillform/wide_names.h"

#include <cmath>

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
    const std::pair<int32_t, const char*> names[] = {
        {stReadError, "readError"},     {stNoStartEntity, "noStartEntity"},
        {stOpenContour, "openContour"}, {stLinkingFailed, "linkingFailed"},
        {stNotDrawing, "notDrawing"},   {stTruncated, "truncated"},
        {stOutOfMemory, "outOfMemory"}, {stExpansionLimit, "expansionLimit"}};
    for (const auto& [bit, name] : names)
        if (status & bit)
            flags.push_back(name);
    return {{"value", status}, {"flags", flags}};
}
json Warnings(const std::vector<TReadWarning>& warnings) {
    json list = json::array();
    for (const TReadWarning& warning : warnings) {
        json entry = {{"code", warning.code}};
        if (!warning.layer.empty())
            entry["layer"] = ToUtf8(WidenName(warning.layer.c_str()));
        entry["count"] = warning.count;
        entry["message"] = WarningText(warning);
        list.push_back(entry);
    }
    return list;
}

// JSON has no infinity or NaN: nlohmann writes them as null.
bool HoldsNonFinite(const json& value) {
    if (value.is_number_float())
        return !std::isfinite(value.get<double>());
    if (value.is_structured())
        for (const json& item : value)
            if (HoldsNonFinite(item))
                return true;
    return false;
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
    // The layout is described by docs/quillform-shapes.schema.json; "version"
    // counts its changes.
    json document = {{"format", "quillform-shapes"},
                     {"version", 1},
                     {"file", result.file},
                     {"settings", settings},
                     {"status", Status(result.status)}};
    // Members that only appear when they have something to say, so that the
    // document of a clean drawing stays as it always was.
    if (!result.warnings.empty())
        document["warnings"] = Warnings(result.warnings);
    document["layers"] = layers;
    if (HoldsNonFinite(document))
        document["notes"] = json::array({"numbers that are not finite (the drawing's coordinates "
                                         "overflow) are written as null"});
    return document;
}
