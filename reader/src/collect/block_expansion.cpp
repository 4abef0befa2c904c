// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Copies block definitions into model space at each INSERT.
#include "collect/collector.h"
#include "collect/expansion_budget.h"
#include "model/mapped_copy.h"

#include "model/geometry.h"

using namespace quillform::detail;

namespace {
// Rotation about the block's stored base point, then the insertion offset.
// Scale factors, column/row arrays and the file's base point are not applied.
struct Placement {
    TPoint2D base;
    TPoint2D insertion;
    double angle;

    TPoint2D operator()(double x, double y) const {
        TPoint2D p(x, y);
        RotatePoint(p, base, angle);
        return TPoint2D(p.X + insertion.X, p.Y + insertion.Y);
    }
};

TDXFCircle* PlacedCircle(const TDXFCircle& from, const Placement& place, const char* layer) {
    auto* copy = new TDXFCircle();
    copy->Radius = from.Radius;
    copy->Center = place(from.Center.X, from.Center.Y);
    copy->Layer = quillform::CopyName(layer);
    return copy;
}

TDXFSegment* PlacedSegment(const TDXFSegment& from, const Placement& place, const char* layer) {
    return MappedSegment(from, layer, place);
}

TDXFArc* PlacedArc(const TDXFArc& from, const Placement& place, const char* layer) {
    auto* copy = new TDXFArc();
    copy->Radius = from.Radius;
    copy->Sweep = from.Sweep;
    const TPoint2D centre = place(from.CenterX, from.CenterY);
    const TPoint2D start = place(from.StartX, from.StartY);
    const TPoint2D end = place(from.EndX, from.EndY);
    copy->CenterX = centre.X;
    copy->CenterY = centre.Y;
    copy->StartX = start.X;
    copy->StartY = start.Y;
    copy->EndX = end.X;
    copy->EndY = end.Y;
    // Reduced like the collected arcs, so that bounding boxes see every axis crossing.
    copy->StartAngle = NormalizedAngle(from.StartAngle + place.angle);
    copy->EndAngle = NormalizedAngle(from.EndAngle + place.angle);
    copy->Clockwise = 0;
    copy->Layer = quillform::CopyName(layer);
    return copy;
}

// Bulges need no change under rotation; they are exploded later like any other.
TDXFPolygon* PlacedPolyline(const TDXFPolygon& from, const Placement& place, const char* layer) {
    return MappedPolyline(from, layer, [&place](const dxf_info& vertex) {
        dxf_info placed;
        const TPoint2D p = place(vertex.x, vertex.y);
        placed.x = p.X;
        placed.y = p.Y;
        placed.bulge = vertex.bulge;
        return placed;
    });
}
} // namespace

void Test_CreationClass::ExpandInsert(const DL_InsertData& data, const char* layer) {
    // Every definition of that name, in definition order (the name as a C string).
    const auto found = blocksByName_.find(data.name.c_str());
    if (found == blocksByName_.end())
        return;
    for (const block* definition : found->second)
        ExpandBlock(*definition, TPoint2D(data.ipx, data.ipy), data.angle, layer);
}

namespace {
// What one copy of a block costs: one per entity, one more per polyline vertex.
int64_t CopyCost(const block& source) {
    int64_t cost = int64_t{source.circles.Count} + source.segments.Count + source.arcs.Count;
    for (const TListaNode* n = source.polygons.Head; n; n = n->Next)
        cost += static_cast<const TDXFPolygon*>(n->Item)->Count;
    return cost;
}
} // namespace

void Test_CreationClass::ExpandBlock(const block& source, TPoint2D insertion, double angle,
                                     const char* layer) {
    if (budget_)
        budget_->Spend(CopyCost(source)); // before copying: a refused insert copies nothing
    const Placement place{TPoint2D(source.base_x, source.base_y), insertion, angle};
    for (const TListaNode* n = source.circles.Head; n; n = n->Next)
        Circles.Add(PlacedCircle(*static_cast<const TDXFCircle*>(n->Item), place, layer));
    for (const TListaNode* n = source.segments.Head; n; n = n->Next)
        Segments.Add(PlacedSegment(*static_cast<const TDXFSegment*>(n->Item), place, layer));
    for (const TListaNode* n = source.arcs.Head; n; n = n->Next)
        Arcs.Add(PlacedArc(*static_cast<const TDXFArc*>(n->Item), place, layer));
    for (const TListaNode* n = source.polygons.Head; n; n = n->Next)
        Polylines.Add(PlacedPolyline(*static_cast<const TDXFPolygon*>(n->Item), place, layer));
}
