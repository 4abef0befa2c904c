// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The window's records of a read, made from the one copy of the reader's
// results (CopyDrawing), so that every front end sees the same values.
#include "quillform/result_copy.h"

#include <algorithm>
#include <cstring>

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
} // namespace

TResultCopy ToResultCopy(const quillform::Drawing& drawing) {
    TResultCopy copy;
    copy.LayerCount = static_cast<int32_t>(drawing.layers.size());
    copy.Layers = std::make_unique<TFixedSizeLayer[]>(drawing.layers.size());
    for (int32_t i = 0; i < copy.LayerCount; ++i) {
        const quillform::Layer& from = drawing.layers[static_cast<size_t>(i)];
        TFixedSizeLayer& layer = copy.Layers[i];
        layer.Name = std::make_unique<char[]>(from.bytes.size() + 1);
        std::memcpy(layer.Name.get(), from.bytes.c_str(), from.bytes.size() + 1);
        layer.ShapeCount = static_cast<int32_t>(from.shapes.size());
        layer.Shapes = std::make_unique<TShapeWithHoles[]>(from.shapes.size());
        for (int32_t j = 0; j < layer.ShapeCount; ++j) {
            const quillform::Shape& shape = from.shapes[static_cast<size_t>(j)];
            TShapeWithHoles& target = layer.Shapes[j];
            CopyOutline(shape, target);
            target.HoleCount = static_cast<int32_t>(shape.holes.size());
            if (target.HoleCount > 0)
                target.Holes = std::make_unique<TBaseShape[]>(shape.holes.size());
            for (int32_t h = 0; h < target.HoleCount; ++h)
                CopyOutline(shape.holes[static_cast<size_t>(h)], target.Holes[h]);
            Widen(copy.Overall, target.Bounds);
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

TResultCopy CopyResults(const TDXFQuillform& reader) {
    return ToResultCopy(quillform::CopyDrawing(reader));
}

} // namespace quillform
