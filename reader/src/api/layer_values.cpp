// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "api/layer_values.h"

#include "quillform/names.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

namespace quillform::detail {
namespace {
// The edge leaving vertex k, as GetShapeVertex reports it.
Vertex VertexAt(const TPolygon& polygon, int32_t k) {
    const TArc& edge = polygon.Arcs[k];
    Vertex vertex{polygon.Points[k].X, polygon.Points[k].Y, std::nullopt};
    if (edge.IsArc) {
        const bool arc = edge.IsArc == 1;
        vertex.arc = ArcEdge{Point{arc ? edge.CenterX : 0, arc ? edge.CenterY : 0},
                             arc ? edge.Radius : 0, arc && edge.Clockwise != 0};
    }
    return vertex;
}

const TBoundingBox* BoxOf(uint8_t kind, const TPolygon* polygon, const TCircle* circle) {
    if (kind == quillform::kShapePolygon)
        return polygon ? &polygon->Bounds : nullptr;
    return circle ? &circle->Bounds : nullptr;
}

Outline OutlineOf(uint8_t kind, const TPolygon* polygon, const TCircle* circle) {
    Outline outline;
    if (kind != quillform::kShapePolygon) {
        outline.kind = OutlineKind::Circle;
        if (circle)
            outline.circle = Circle{Point{circle->Center.X, circle->Center.Y}, circle->Radius};
    } else if (polygon) {
        outline.vertices.reserve(static_cast<size_t>(std::max(polygon->Count, 0)));
        for (int32_t k = 0; k < polygon->Count; ++k)
            outline.vertices.push_back(VertexAt(*polygon, k));
    }
    if (const TBoundingBox* box = BoxOf(kind, polygon, circle))
        outline.bounds = Bounds{box->MinX, box->MinY, box->MaxX, box->MaxY};
    return outline;
}

} // namespace

Shape ShapeValue(const part2d_any& part) {
    Shape shape;
    static_cast<Outline&>(shape) = OutlineOf(part.Kind, part.Polygon.get(), part.Circle.get());
    shape.holes.reserve(static_cast<size_t>(std::max(part.HoleCount, 0)));
    for (int32_t h = 0; h < part.HoleCount; ++h) {
        const TBaseShape& hole = part.Holes[h].Shape;
        shape.holes.push_back(OutlineOf(hole.Kind, hole.Polygon.get(), hole.Circle.get()));
    }
    return shape;
}

std::string LayerBytes(const TLayer& layer) {
    return layer.Name ? layer.Name.get() : "";
}

namespace {
// Every layer in order with the shapes of the layer its name finds; a name
// given twice finds the first layer again and gets a copy of its values.
template <typename ShapesOf> std::vector<Layer> Values(const TLayers& layers, ShapesOf shapesOf) {
    std::vector<Layer> values;
    values.reserve(static_cast<size_t>(std::max(layers.Count, 0)));
    std::unordered_map<const TLayer*, size_t> converted;
    for (const TListaNode* n = layers.Head; n; n = n->Next) {
        Layer layer;
        layer.bytes = LayerBytes(*static_cast<const TLayer*>(n->Item));
        layer.name = quillform::NameToUtf8(layer.bytes.c_str());
        if (TLayer* found = layers.Find(layer.bytes.c_str())) {
            const auto [earlier, first] = converted.emplace(found, values.size());
            layer.shapes = first ? shapesOf(*found) : values[earlier->second].shapes;
        }
        values.push_back(std::move(layer));
    }
    return values;
}

std::vector<Shape> CopyShapes(const TLayer& layer) {
    std::vector<Shape> shapes;
    shapes.reserve(static_cast<size_t>(std::max(layer.Shapes.Count, 0)));
    for (const TListaNode* s = layer.Shapes.Head; s; s = s->Next)
        shapes.push_back(ShapeValue(*static_cast<const part2d_any*>(s->Item)));
    return shapes;
}
} // namespace

std::vector<Layer> LayerValues(const TLayers& layers) {
    return Values(layers, CopyShapes);
}

void TShapeValues::Take(const TLayer& layer, std::unique_ptr<part2d_any> part) {
    shapes_[&layer].push_back(ShapeValue(*part));
}

std::vector<Shape> TShapeValues::TakeShapes(const TLayer& layer) {
    const auto found = shapes_.find(&layer);
    if (found == shapes_.end())
        return {};
    std::vector<Shape> shapes;
    shapes.reserve(found->second.size());
    std::move(found->second.begin(), found->second.end(), std::back_inserter(shapes));
    shapes_.erase(found);
    return shapes;
}

std::vector<Layer> TakeLayerValues(TLayers& layers, TShapeValues& values) {
    std::vector<Layer> result =
        Values(layers, [&values](const TLayer& layer) { return values.TakeShapes(layer); });
    layers.Clear();
    return result;
}

} // namespace quillform::detail
