// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "classify/shape_filing.h"

#include <utility>

namespace quillform::detail {

std::unique_ptr<part2d_any> TShapeFiler::ContourPart(const TDXFPolygon& contour) const {
    auto part = std::make_unique<part2d_any>();
    part->Kind = quillform::kShapePolygon;
    part->Polygon = std::make_unique<TPolygon>(contour.Count);
    contour.CopyToPolygon(part->Polygon.get());
    part->Polygon->CalcBoundingBox(options.tolerance);
    return part;
}

std::unique_ptr<part2d_any> TShapeFiler::CirclePart(const TDXFCircle& circle) {
    auto part = std::make_unique<part2d_any>();
    part->Kind = quillform::kShapeCircle;
    part->Circle = std::make_unique<TCircle>(circle);
    part->Circle->CalcBoundingBox();
    return part;
}

void TShapeFiler::Finish(std::unique_ptr<part2d_any> part, const char* layer,
                         const THoleLists& holes) {
    part->SetHoles(&holes.contours, &holes.circles);
    File(std::move(part), layer);
}

void TShapeFiler::TakeContourAsShape(TListaNode** position, TLista* contours, TLista* circles) {
    auto* contour = static_cast<TDXFPolygon*>((*position)->Item);
    std::unique_ptr<part2d_any> part = ContourPart(*contour);
    *position = contours->Remove(*position);
    THoleLists holes;
    contour->CollectHoles(contours, circles, position, &holes.contours, &holes.circles);
    Finish(std::move(part), contour->Layer.get(), holes);
    DestroyPolygon(contour);
}

void TShapeFiler::TakeCircleAsShape(TListaNode** position, TLista* contours, TLista* circles) {
    auto* circle = static_cast<TDXFCircle*>((*position)->Item);
    std::unique_ptr<part2d_any> part = CirclePart(*circle);
    *position = circles->Remove(*position);
    THoleLists holes;
    circle->CollectHoles(contours, circles, position, &holes.contours, &holes.circles);
    Finish(std::move(part), circle->Layer.get(), holes);
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
void TShapeFiler::File(std::unique_ptr<part2d_any> part, const char* layer) {
    TLayer* target = layers.Find(layer);
    if (!target)
        return;
    if (sink) {
        sink->Take(*target, std::move(part));
        return;
    }
    target->Shapes.Add(part.get());
    part.release();
}

} // namespace quillform::detail
