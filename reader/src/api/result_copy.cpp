// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The window's records of a read, made from the one copy of the reader's
// results (CopyDrawing), so that every front end sees the same values.
#include "quillform/result_copy.h"

#include "api/layer_values.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace quillform {

namespace {
void CopyOutline(const quillform::Outline& from, TBaseShape& target) {
    if (from.kind == quillform::OutlineKind::Circle) {
        target.Kind = quillform::kShapeCircle;
        target.Circle = std::make_unique<TCircle>();
        target.Circle->Radius = from.circle.radius;
        target.Circle->Center = TPoint2D(from.circle.center.x, from.circle.center.y);
    } else {
        target.Kind = quillform::kShapePolygon;
        const auto count = static_cast<int32_t>(from.vertices.size());
        target.Polygon = std::make_unique<TPolygon>(count);
        for (int32_t k = 0; k < count; ++k) {
            const quillform::Vertex& v = from.vertices[static_cast<size_t>(k)];
            target.Polygon->Points[k].X = v.x;
            target.Polygon->Points[k].Y = v.y;
            TArc& edge = target.Polygon->Arcs[k];
            edge.IsArc = v.arc ? 1 : 0;
            if (v.arc) {
                edge.CenterX = v.arc->center.x;
                edge.CenterY = v.arc->center.y;
                edge.Radius = v.arc->radius;
                edge.Clockwise = v.arc->clockwise ? 1 : 0;
            }
        }
    }
    target.Bounds.MinX = from.bounds.minX;
    target.Bounds.MinY = from.bounds.minY;
    target.Bounds.MaxX = from.bounds.maxX;
    target.Bounds.MaxY = from.bounds.maxY;
}

quillform::Outline OutlineOf(const TBaseShape& from) {
    quillform::Outline outline;
    outline.bounds =
        quillform::Bounds{from.Bounds.MinX, from.Bounds.MinY, from.Bounds.MaxX, from.Bounds.MaxY};
    if (from.Kind != quillform::kShapePolygon && from.Circle) {
        outline.kind = quillform::OutlineKind::Circle;
        outline.circle = quillform::Circle{
            quillform::Point{from.Circle->Center.X, from.Circle->Center.Y}, from.Circle->Radius};
        return outline;
    }
    for (int32_t k = 0; from.Polygon && k < from.Polygon->Count; ++k) {
        const TArc& edge = from.Polygon->Arcs[k];
        quillform::Vertex v{from.Polygon->Points[k].X, from.Polygon->Points[k].Y, std::nullopt};
        if (edge.IsArc)
            v.arc = quillform::ArcEdge{quillform::Point{edge.CenterX, edge.CenterY}, edge.Radius,
                                       edge.Clockwise != 0};
        outline.vertices.push_back(v);
    }
    return outline;
}

void Widen(TBoundingBox& overall, const TBoundingBox& box) {
    overall.MinX = std::min(overall.MinX, box.MinX);
    overall.MaxX = std::max(overall.MaxX, box.MaxX);
    overall.MinY = std::min(overall.MinY, box.MinY);
    overall.MaxY = std::max(overall.MaxY, box.MaxY);
}

void CopyName(const std::string& bytes, TFixedSizeLayer& layer) {
    layer.Name = std::make_unique<char[]>(bytes.size() + 1);
    std::memcpy(layer.Name.get(), bytes.c_str(), bytes.size() + 1);
}

void CopyShape(const quillform::Shape& shape, TShapeWithHoles& target) {
    CopyOutline(shape, target);
    target.HoleCount = static_cast<int32_t>(shape.holes.size());
    if (target.HoleCount > 0)
        target.Holes = std::make_unique<TBaseShape[]>(shape.holes.size());
    for (int32_t h = 0; h < target.HoleCount; ++h)
        CopyOutline(shape.holes[static_cast<size_t>(h)], target.Holes[h]);
}

void StartShapes(TFixedSizeLayer& layer, size_t count) {
    layer.ShapeCount = static_cast<int32_t>(count);
    layer.Shapes = std::make_unique<TShapeWithHoles[]>(count);
}
} // namespace

TResultCopy ToResultCopy(const quillform::Drawing& drawing) {
    TResultCopy copy;
    copy.LayerCount = static_cast<int32_t>(drawing.layers.size());
    copy.Layers = std::make_unique<TFixedSizeLayer[]>(drawing.layers.size());
    for (int32_t i = 0; i < copy.LayerCount; ++i) {
        const quillform::Layer& from = drawing.layers[static_cast<size_t>(i)];
        TFixedSizeLayer& layer = copy.Layers[i];
        CopyName(from.bytes, layer);
        StartShapes(layer, from.shapes.size());
        for (int32_t j = 0; j < layer.ShapeCount; ++j) {
            CopyShape(from.shapes[static_cast<size_t>(j)], layer.Shapes[j]);
            Widen(copy.Overall, layer.Shapes[j].Bounds);
        }
    }
    return copy;
}

quillform::Layer ToValue(const TFixedSizeLayer& layer) {
    quillform::Layer value;
    value.bytes = layer.Name ? layer.Name.get() : "";
    for (int32_t j = 0; j < layer.ShapeCount; ++j) {
        const TShapeWithHoles& shape = layer.Shapes[j];
        quillform::Shape s;
        static_cast<quillform::Outline&>(s) = OutlineOf(shape);
        for (int32_t h = 0; h < shape.HoleCount; ++h)
            s.holes.push_back(OutlineOf(shape.Holes[h]));
        value.shapes.push_back(std::move(s));
    }
    return value;
}

// The same records as ToResultCopy(CopyDrawing(reader)), made part by part:
// only one part's values are held at a time, never the drawing's.
TResultCopy CopyResults(const TDXFQuillform& reader) {
    const TLayers& layers = reader.FLayers;
    TResultCopy copy;
    copy.LayerCount = std::max(layers.Count, 0);
    copy.Layers = std::make_unique<TFixedSizeLayer[]>(static_cast<size_t>(copy.LayerCount));
    TFixedSizeLayer* layer = copy.Layers.get();
    for (const TListaNode* n = layers.Head; n; n = n->Next, ++layer) {
        const std::string bytes = detail::LayerBytes(*static_cast<const TLayer*>(n->Item));
        CopyName(bytes, *layer);
        const TLayer* found = layers.Find(bytes.c_str());
        StartShapes(*layer, found ? static_cast<size_t>(found->Shapes.Count) : 0);
        TShapeWithHoles* target = layer->Shapes.get();
        for (const TListaNode* s = found ? found->Shapes.Head : nullptr; s; s = s->Next, ++target) {
            CopyShape(detail::ShapeValue(*static_cast<const part2d_any*>(s->Item)), *target);
            Widen(copy.Overall, target->Bounds);
        }
    }
    return copy;
}

} // namespace quillform
