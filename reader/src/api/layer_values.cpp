// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "api/layer_values.h"

#include "quillform/names.h"

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
        for (int32_t k = 0; k < polygon->Count; ++k)
            outline.vertices.push_back(VertexAt(*polygon, k));
    }
    if (const TBoundingBox* box = BoxOf(kind, polygon, circle))
        outline.bounds = Bounds{box->MinX, box->MinY, box->MaxX, box->MaxY};
    return outline;
}

Shape ShapeOf(const part2d_any& part) {
    Shape shape;
    static_cast<Outline&>(shape) = OutlineOf(part.Kind, part.Polygon.get(), part.Circle.get());
    for (int32_t h = 0; h < part.HoleCount; ++h) {
        const TBaseShape& hole = part.Holes[h].Shape;
        shape.holes.push_back(OutlineOf(hole.Kind, hole.Polygon.get(), hole.Circle.get()));
    }
    return shape;
}
} // namespace

std::vector<Layer> LayerValues(const TLayers& layers) {
    std::vector<Layer> values;
    for (const TListaNode* n = layers.Head; n; n = n->Next) {
        const char* name = static_cast<const TLayer*>(n->Item)->Name.get();
        Layer layer;
        layer.bytes = name ? name : "";
        layer.name = quillform::NameToUtf8(layer.bytes.c_str());
        if (const TLayer* found = layers.Find(layer.bytes.c_str()))
            for (const TListaNode* s = found->Shapes.Head; s; s = s->Next)
                layer.shapes.push_back(ShapeOf(*static_cast<const part2d_any*>(s->Item)));
        values.push_back(std::move(layer));
    }
    return values;
}

} // namespace quillform::detail
