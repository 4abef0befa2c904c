// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The reader's queries: meaningful only while OnReadDone runs. Layers are
// found by name through a hash and parts by position through an index, so
// that copying every result takes time linear in its size.
#include "quillform/dxf_quillform.h"

#include <cstring>

void TDXFQuillform::GetLayerCount(int32_t* count) const {
    *count = FLayers.Count;
}

void TDXFQuillform::GetLayerNameLength(int32_t index, int32_t* length) const {
    const TLayer* layer = FLayers.LayerAt(index);
    *length = layer ? static_cast<int32_t>(std::strlen(layer->Name.get())) : 0;
}

void TDXFQuillform::GetLayerName(int32_t index, char* name) const {
    const TLayer* layer = FLayers.LayerAt(index);
    const char* text = layer ? layer->Name.get() : "";
    std::memcpy(name, text, std::strlen(text) + 1);
}

void TDXFQuillform::GetShapeCount(const char* layer, int32_t* count) const {
    const TLayer* found = FLayers.Find(layer);
    *count = found ? found->Shapes.Count : 0;
}

const part2d_any* TDXFQuillform::FindShape(const char* layer, int32_t shape) const {
    const TLayer* found = FLayers.Find(layer);
    if (!found || shape < 0 || shape >= found->Shapes.Count)
        return nullptr;
    return found->ShapeAt(shape);
}

const TBaseShape* TDXFQuillform::FindHole(const char* layer, int32_t shape, int32_t hole) const {
    const part2d_any* part = FindShape(layer, shape);
    if (!part || hole < 0 || hole >= part->HoleCount)
        return nullptr;
    return &part->Holes[hole].Shape;
}

namespace {
void DescribeShape(uint8_t kind, const TPolygon* polygon, const TCircle* circle, int32_t* outKind,
                   int32_t* vertexCount, double* cx, double* cy, double* radius) {
    *outKind = kind;
    const bool isCircle = kind != quillform::kShapePolygon && circle;
    *vertexCount = !isCircle && polygon ? polygon->Count : 0;
    *cx = isCircle ? circle->Center.X : 0;
    *cy = isCircle ? circle->Center.Y : 0;
    *radius = isCircle ? circle->Radius : 0;
}

bool DescribeVertex(const TPolygon* polygon, int32_t vertex, double* x, double* y, int32_t* isArc,
                    double* acx, double* acy, double* ar, int32_t* direction) {
    if (!polygon || vertex < 0 || vertex >= polygon->Count)
        return false;
    const TArc& edge = polygon->Arcs[vertex];
    *x = polygon->Points[vertex].X;
    *y = polygon->Points[vertex].Y;
    *isArc = edge.IsArc;
    *acx = edge.IsArc == 1 ? edge.CenterX : 0;
    *acy = edge.IsArc == 1 ? edge.CenterY : 0;
    *ar = edge.IsArc == 1 ? edge.Radius : 0;
    *direction = edge.IsArc == 1 ? edge.Clockwise : 0;
    return true;
}

const TBoundingBox* BoundsOf(uint8_t kind, const TPolygon* polygon, const TCircle* circle) {
    if (kind == quillform::kShapePolygon)
        return polygon ? &polygon->Bounds : nullptr;
    return circle ? &circle->Bounds : nullptr;
}
} // namespace

void TDXFQuillform::GetShape(const char* layer, int32_t shape, int32_t* kind, int32_t* vertexCount,
                             double* centerX, double* centerY, double* radius,
                             int32_t* holeCount) const {
    const part2d_any* part = FindShape(layer, shape);
    if (!part)
        return;
    DescribeShape(part->Kind, part->Polygon.get(), part->Circle.get(), kind, vertexCount, centerX,
                  centerY, radius);
    *holeCount = part->HoleCount;
}

void TDXFQuillform::GetShapeVertex(const char* layer, int32_t shape, int32_t vertex, double* x,
                                   double* y, int32_t* isArc, double* arcCenterX,
                                   double* arcCenterY, double* arcRadius,
                                   int32_t* arcDirection) const {
    const part2d_any* part = FindShape(layer, shape);
    if (part && part->Kind == quillform::kShapePolygon)
        DescribeVertex(part->Polygon.get(), vertex, x, y, isArc, arcCenterX, arcCenterY, arcRadius,
                       arcDirection);
}

void TDXFQuillform::GetShapeBounds(const char* layer, int32_t shape, double* a, double* b,
                                   double* c, double* d) const {
    const part2d_any* part = FindShape(layer, shape);
    const TBoundingBox* box =
        part ? BoundsOf(part->Kind, part->Polygon.get(), part->Circle.get()) : nullptr;
    if (!box)
        return;
    *a = box->MinX;
    *b = box->MaxY;
    *c = box->MaxX;
    *d = box->MinY;
}

void TDXFQuillform::GetHole(const char* layer, int32_t shape, int32_t hole, int32_t* kind,
                            int32_t* vertexCount, double* centerX, double* centerY,
                            double* radius) const {
    const TBaseShape* found = FindHole(layer, shape, hole);
    if (found)
        DescribeShape(found->Kind, found->Polygon.get(), found->Circle.get(), kind, vertexCount,
                      centerX, centerY, radius);
}

void TDXFQuillform::GetHoleVertex(const char* layer, int32_t shape, int32_t hole, int32_t vertex,
                                  double* x, double* y, int32_t* isArc, double* arcCenterX,
                                  double* arcCenterY, double* arcRadius,
                                  int32_t* arcDirection) const {
    const TBaseShape* found = FindHole(layer, shape, hole);
    if (found && found->Kind == quillform::kShapePolygon)
        DescribeVertex(found->Polygon.get(), vertex, x, y, isArc, arcCenterX, arcCenterY, arcRadius,
                       arcDirection);
}

void TDXFQuillform::GetHoleBounds(const char* layer, int32_t shape, int32_t hole, double* a,
                                  double* b, double* c, double* d) const {
    const TBaseShape* found = FindHole(layer, shape, hole);
    const TBoundingBox* box =
        found ? BoundsOf(found->Kind, found->Polygon.get(), found->Circle.get()) : nullptr;
    if (!box)
        return;
    *a = box->MaxX;
    *b = box->MaxY;
    *c = box->MinX;
    *d = box->MinY;
}
