// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Turning classified contours and circles into result records.
#include "model/entity_store.h"
#include "quillform/shape_records.h"

using namespace quillform::detail;

namespace {
// Hole boxes use the classification tolerance, not the reader's.
constexpr double kHoleBoxTolerance = 1e-6;
} // namespace

void TDXFPolygon::CopyToPolygon(TPolygon* polygon) const {
    int32_t k = 0;
    for (const TListaNode* node = Head; node && k < polygon->Count; node = node->Next, ++k) {
        const auto* vertex = static_cast<const dxf_info*>(node->Item);
        polygon->Points[k].X = vertex->x;
        polygon->Points[k].Y = vertex->y;
        TArc& edge = polygon->Arcs[k];
        edge.IsArc = vertex->is_arc;
        if (!vertex->is_arc)
            continue;
        edge.Clockwise = vertex->clockwise;
        edge.CenterX = vertex->center_x;
        edge.CenterY = vertex->center_y;
        edge.Radius = vertex->radius;
        edge.StartAngle = vertex->start_angle;
        edge.EndAngle = vertex->end_angle;
        edge.Sweep = vertex->sweep;
    }
}

void part2d_any::SetHoles(const TLista* holeContours, const TLista* holeCircles) {
    HoleCount = holeContours->Count + holeCircles->Count;
    Holes = std::make_unique<TTrueHole[]>(HoleCount);
    int32_t h = 0;
    for (const TListaNode* node = holeContours->Head; node; node = node->Next, ++h) {
        const auto* contour = static_cast<const TDXFPolygon*>(node->Item);
        TBaseShape& shape = Holes[h].Shape;
        shape.Kind = quillform::kShapePolygon;
        shape.Polygon = std::make_unique<TPolygon>(contour->Count);
        contour->CopyToPolygon(shape.Polygon.get());
        shape.Polygon->CalcBoundingBox(kHoleBoxTolerance);
    }
    for (const TListaNode* node = holeCircles->Head; node; node = node->Next, ++h) {
        TBaseShape& shape = Holes[h].Shape;
        shape.Kind = quillform::kShapeCircle;
        shape.Circle = std::make_unique<TCircle>(*static_cast<const TDXFCircle*>(node->Item));
        shape.Circle->CalcBoundingBox();
    }
}
