// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "classify/shape_filing.h"

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

void TShapeFiler::TakeContourAsShape(TListaNode** position, TLista* contours, TLista* circles) {
    auto* contour = static_cast<TDXFPolygon*>((*position)->Item);
    auto* part = new part2d_any();
    part->Kind = kShapePolygon;
    part->Polygon = std::make_unique<TPolygon>(contour->Count);
    contour->CopyToPolygon(part->Polygon.get());
    part->Polygon->CalcBoundingBox(options.tolerance);
    *position = contours->Remove(*position);
    HoleLists holes;
    contour->CollectHoles(contours, circles, position, &holes.contours, &holes.circles);
    part->SetHoles(&holes.contours, &holes.circles);
    File(part, contour->Layer.get());
    DestroyPolygon(contour);
}

void TShapeFiler::TakeCircleAsShape(TListaNode** position, TLista* contours, TLista* circles) {
    auto* circle = static_cast<TDXFCircle*>((*position)->Item);
    auto* part = new part2d_any();
    part->Kind = kShapeCircle;
    part->Circle = std::make_unique<TCircle>(*circle);
    part->Circle->CalcBoundingBox();
    *position = circles->Remove(*position);
    HoleLists holes;
    circle->CollectHoles(contours, circles, position, &holes.contours, &holes.circles);
    part->SetHoles(&holes.contours, &holes.circles);
    File(part, circle->Layer.get());
    delete circle;
}

void TShapeFiler::TakeFirstAsShape(TLista* contours, TLista* circles) {
    TListaNode* position = contours->Head;
    if (position) {
        TakeContourAsShape(&position, contours, circles);
        return;
    }
    position = circles->Head;
    if (position)
        TakeCircleAsShape(&position, contours, circles);
}

// Every entity registers its layer, so a missing layer cannot normally occur;
// if it does, the part is dropped rather than filed under a wrong layer.
void TShapeFiler::File(part2d_any* part, const char* layer) {
    if (TLayer* target = layers.Find(layer))
        target->Shapes.Add(part);
    else
        delete part;
}
