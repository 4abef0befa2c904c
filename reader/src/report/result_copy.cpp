// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/result_copy.h"

#include <algorithm>
#include <functional>

namespace {
// One vertex query: (index, x, y, arc flag, arc centre x, y, radius, direction).
using VertexQuery =
    std::function<void(int32_t, double*, double*, int32_t*, double*, double*, double*, int32_t*)>;

void CopyVertices(TBaseShape& target, int32_t count, const VertexQuery& query) {
    target.Polygon = std::make_unique<TPolygon>(count);
    for (int32_t k = 0; k < count; ++k) {
        double x = 0, y = 0, cx = 0, cy = 0, r = 0;
        int32_t isArc = 0, direction = 0;
        query(k, &x, &y, &isArc, &cx, &cy, &r, &direction);
        target.Polygon->Points[k].X = x;
        target.Polygon->Points[k].Y = y;
        TArc& edge = target.Polygon->Arcs[k];
        edge.IsArc = static_cast<uint8_t>(isArc);
        if (isArc) {
            edge.CenterX = cx;
            edge.CenterY = cy;
            edge.Radius = r;
            edge.Clockwise = static_cast<uint8_t>(direction);
        }
    }
}

void SetCircle(TBaseShape& target, double cx, double cy, double radius) {
    target.Kind = kShapeCircle;
    target.Circle = std::make_unique<TCircle>();
    target.Circle->Radius = radius;
    target.Circle->Center = TPoint2D(cx, cy);
}

void CopyHole(const TDXFQuillform& reader, const char* layer, int32_t shape, int32_t hole,
              TBaseShape& target) {
    int32_t kind = 0, count = 0;
    double cx = 0, cy = 0, radius = 0;
    reader.GetHole(layer, shape, hole, &kind, &count, &cx, &cy, &radius);
    if (kind != kShapePolygon) {
        SetCircle(target, cx, cy, radius);
    } else {
        target.Kind = kShapePolygon;
        CopyVertices(target, count,
                     [&](int32_t k, double* x, double* y, int32_t* a, double* acx, double* acy,
                         double* ar, int32_t* d) {
                         reader.GetHoleVertex(layer, shape, hole, k, x, y, a, acx, acy, ar, d);
                     });
    }
    TBoundingBox& box = target.Bounds;
    reader.GetHoleBounds(layer, shape, hole, &box.MaxX, &box.MaxY, &box.MinX, &box.MinY);
}

void CopyShape(const TDXFQuillform& reader, const char* layer, int32_t shape,
               TShapeWithHoles& target) {
    int32_t kind = 0, count = 0;
    double cx = 0, cy = 0, radius = 0;
    reader.GetShape(layer, shape, &kind, &count, &cx, &cy, &radius, &target.HoleCount);
    if (kind != kShapePolygon) {
        SetCircle(target, cx, cy, radius);
    } else {
        target.Kind = kShapePolygon;
        CopyVertices(
            target, count,
            [&](int32_t k, double* x, double* y, int32_t* a, double* acx, double* acy, double* ar,
                int32_t* d) { reader.GetShapeVertex(layer, shape, k, x, y, a, acx, acy, ar, d); });
    }
    TBoundingBox& box = target.Bounds;
    reader.GetShapeBounds(layer, shape, &box.MinX, &box.MaxY, &box.MaxX, &box.MinY);
    if (target.HoleCount > 0) {
        target.Holes = std::make_unique<TBaseShape[]>(target.HoleCount);
        for (int32_t h = 0; h < target.HoleCount; ++h)
            CopyHole(reader, layer, shape, h, target.Holes[h]);
    }
}

void Widen(TBoundingBox& overall, const TBoundingBox& box) {
    overall.MinX = std::min(overall.MinX, box.MinX);
    overall.MaxX = std::max(overall.MaxX, box.MaxX);
    overall.MinY = std::min(overall.MinY, box.MinY);
    overall.MaxY = std::max(overall.MaxY, box.MaxY);
}
} // namespace

TResultCopy CopyResults(const TDXFQuillform& reader) {
    TResultCopy copy;
    reader.GetLayerCount(&copy.LayerCount);
    copy.Layers = std::make_unique<TFixedSizeLayer[]>(copy.LayerCount);
    for (int32_t i = 0; i < copy.LayerCount; ++i) {
        TFixedSizeLayer& layer = copy.Layers[i];
        int32_t length = 0;
        reader.GetLayerNameLength(i, &length);
        layer.Name = std::make_unique<char[]>(length + 1);
        reader.GetLayerName(i, layer.Name.get());
        reader.GetShapeCount(layer.Name.get(), &layer.ShapeCount);
        layer.Shapes = std::make_unique<TShapeWithHoles[]>(layer.ShapeCount);
        for (int32_t j = 0; j < layer.ShapeCount; ++j) {
            CopyShape(reader, layer.Name.get(), j, layer.Shapes[j]);
            Widen(copy.Overall, layer.Shapes[j].Bounds);
        }
    }
    return copy;
}
