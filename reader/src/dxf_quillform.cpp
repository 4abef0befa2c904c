// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/dxf_quillform.h"

#include "collector.h"
#include "dxf_parse.h"

#include "quillform/status.h"

#include <cstring>
#include <exception>

TDXFQuillform::TDXFQuillform() = default;

void TDXFQuillform::SetLinkingDistance(double distance) {
    FLinkingDistance = distance;
}

void TDXFQuillform::SetOpenContourMode(int32_t mode) {
    FOpenContourMode = mode;
}

void TDXFQuillform::SetMixLayers(int32_t value) {
    if (!FReady)
        return;
    FMixLayers = (value == 0 || value == 1) ? value : 0;
}

char* TDXFQuillform::GetVersion(char* dest) const {
    std::memcpy(dest, FVersion, std::strlen(FVersion) + 1);
    return dest;
}

void TDXFQuillform::Read(const wchar_t* fileName) {
    if (!FReady)
        return; // a read started from inside one of our own events
    FReady = false;
    FLayers.Clear();
    FStatus = 0;
    try {
        TLista contours;
        Test_CreationClass collector(TEntityEvents{OnLayer, OnSegment, OnCircle, OnArc, OnPolyline,
                                                   OnVertex, OnBlock, OnEndBlock, OnInsert});
        if (ParseDxfFile(fileName, collector)) {
            for (const TListaNode* n = collector.LayerNames.Head; n; n = n->Next)
                FLayers.Add(new TLayer(static_cast<const char*>(n->Item)));
            collector.FlushLastPolyline();
            collector.ExplodeBulgedPolylines(FTolerance);
            collector.LinkContours(&contours, &FStatus, FLinkingDistance, FOpenContourMode,
                                   FMixLayers != 0);
            if (FStatus != 0)
                FStatus |= stLinkingFailed;
            else
                Classify(&contours, &collector.Circles);
        } else {
            FStatus |= stReadError;
        }
        FreeContours(&contours);
    } catch (const std::exception&) {
        // Nothing may escape to the host: a read that ran out of memory is a failed read.
        FLayers.Clear();
        FStatus |= stReadError;
    }
    OnReadDone.Raise();
    FLayers.Clear();
    FReady = true;
}

// Passes until both lists are empty: each contour pass, then a circle pass.
void TDXFQuillform::Classify(TLista* contours, TLista* circles) {
    while (contours->Count + circles->Count > 0) {
        bool progress = ContourPass(contours, circles);
        progress = CirclePass(contours, circles) || progress;
        if (progress)
            continue;
        // Nothing was outermost: contours that each lie inside the other (coincident
        // outlines, vertices on each other's edges, contours without vertices).
        // The first one is taken as an outer shape so that the loop ends and no
        // outline is lost.
        TListaNode* position = contours->Head;
        if (position)
            TakeContourAsShape(&position, contours, circles);
        else
            TakeCircleAsShape(&(position = circles->Head), contours, circles);
    }
}

bool TDXFQuillform::ContourPass(TLista* contours, TLista* circles) {
    bool took = false;
    for (TListaNode* node = contours->Head; node;) {
        const auto* contour = static_cast<const TDXFPolygon*>(node->Item);
        if (contour->IsInsideOtherContour(node, contours) || contour->IsInsideAnyCircle(circles)) {
            node = node->Next;
            continue;
        }
        TakeContourAsShape(&node, contours, circles);
        took = true;
    }
    return took;
}

bool TDXFQuillform::CirclePass(TLista* contours, TLista* circles) {
    bool took = false;
    for (TListaNode* node = circles->Head; node;) {
        const auto* circle = static_cast<const TDXFCircle*>(node->Item);
        if (circle->IsInsideAnyContour(contours) || circle->IsInsideOtherCircle(node, circles)) {
            node = node->Next;
            continue;
        }
        TakeCircleAsShape(&node, contours, circles);
        took = true;
    }
    return took;
}

namespace {
struct HoleLists {
    TLista contours;
    TLista circles;
    ~HoleLists() {
        FreeContours(&contours);
        FreeCircles(&circles);
    }
};
} // namespace

// Builds the part of the contour at *position, moves its direct holes out of
// the lists and leaves *position at the node that followed it.
void TDXFQuillform::TakeContourAsShape(TListaNode** position, TLista* contours, TLista* circles) {
    auto* contour = static_cast<TDXFPolygon*>((*position)->Item);
    auto* part = new part2d_any();
    part->Kind = kShapePolygon;
    part->Polygon = std::make_unique<TPolygon>(contour->Count);
    contour->CopyToPolygon(part->Polygon.get());
    part->Polygon->CalcBoundingBox(FTolerance);
    *position = contours->Remove(*position);
    HoleLists holes;
    contour->CollectHoles(contours, circles, position, &holes.contours, &holes.circles);
    part->SetHoles(&holes.contours, &holes.circles);
    FileShape(part, contour->Layer.get());
    DestroyPolygon(contour);
}

void TDXFQuillform::TakeCircleAsShape(TListaNode** position, TLista* contours, TLista* circles) {
    auto* circle = static_cast<TDXFCircle*>((*position)->Item);
    auto* part = new part2d_any();
    part->Kind = kShapeCircle;
    part->Circle = std::make_unique<TCircle>(*circle);
    part->Circle->CalcBoundingBox();
    *position = circles->Remove(*position);
    HoleLists holes;
    circle->CollectHoles(contours, circles, position, &holes.contours, &holes.circles);
    part->SetHoles(&holes.contours, &holes.circles);
    FileShape(part, circle->Layer.get());
    delete circle;
}

// Every entity registers its layer, so a missing layer cannot normally occur;
// if it does, the part is dropped rather than filed under a wrong layer.
void TDXFQuillform::FileShape(part2d_any* part, const char* layer) {
    if (TLayer* target = FLayers.Find(layer))
        target->Shapes.Add(part);
    else
        delete part;
}

// Queries

void TDXFQuillform::GetLayerCount(int32_t* count) const {
    *count = FLayers.Count;
}

void TDXFQuillform::GetLayerNameLength(int32_t index, int32_t* length) const {
    const auto* layer = static_cast<const TLayer*>(FLayers.GetItem(index));
    *length = layer ? static_cast<int32_t>(std::strlen(layer->Name.get())) : 0;
}

void TDXFQuillform::GetLayerName(int32_t index, char* name) const {
    const auto* layer = static_cast<const TLayer*>(FLayers.GetItem(index));
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
    return static_cast<const part2d_any*>(found->Shapes.GetItem(shape));
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
    const bool isCircle = kind != kShapePolygon && circle;
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
    if (kind == kShapePolygon)
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
    if (part && part->Kind == kShapePolygon)
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
    if (found && found->Kind == kShapePolygon)
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
