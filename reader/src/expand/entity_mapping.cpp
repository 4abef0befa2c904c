// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/entity_mapping.h"
#include "model/mapped_copy.h"

#include "model/geometry.h"

namespace quillform::detail {

namespace {
// A direction turned through the map: rotated, and reflected when it mirrors.
double MapAngle(double angle, const TAffine2D& map) {
    const double turn = map.RotationDegrees();
    return NormalizedAngle(map.Mirrors() ? turn - angle : angle + turn);
}
} // namespace

std::unique_ptr<TDXFSegment> MapSegment(const TDXFSegment& from, const TAffine2D& map,
                                        const char* layer) {
    return std::unique_ptr<TDXFSegment>(MappedSegment(
        from, layer, [&map](double x, double y) { return map.Apply(TPoint2D(x, y)); }));
}

std::unique_ptr<TDXFCircle> MapCircle(const TDXFCircle& from, const TAffine2D& map,
                                      const char* layer) {
    if (!map.KeepsCircles())
        return nullptr;
    auto copy = std::make_unique<TDXFCircle>();
    copy->Center = map.Apply(from.Center);
    copy->Radius = from.Radius * map.LengthScale();
    copy->Layer = quillform::CopyName(layer);
    return copy;
}

std::unique_ptr<TDXFArc> MapArc(const TDXFArc& from, const TAffine2D& map, const char* layer) {
    if (!map.KeepsCircles())
        return nullptr;
    auto copy = std::make_unique<TDXFArc>();
    static_cast<TArc&>(*copy) = static_cast<const TArc&>(from);
    const TPoint2D centre = map.Apply(TPoint2D(from.CenterX, from.CenterY));
    const TPoint2D start = map.Apply(TPoint2D(from.StartX, from.StartY));
    const TPoint2D end = map.Apply(TPoint2D(from.EndX, from.EndY));
    copy->CenterX = centre.X;
    copy->CenterY = centre.Y;
    copy->StartX = start.X;
    copy->StartY = start.Y;
    copy->EndX = end.X;
    copy->EndY = end.Y;
    copy->Radius = from.Radius * map.LengthScale();
    copy->StartAngle = MapAngle(from.StartAngle, map);
    copy->EndAngle = MapAngle(from.EndAngle, map);
    if (map.Mirrors())
        copy->Clockwise = 1 - from.Clockwise;
    copy->Layer = quillform::CopyName(layer);
    return copy;
}

bool HasAnyBulge(const TDXFPolygon& polyline) {
    for (const TListaNode* n = polyline.Head ? polyline.Head->Next : nullptr; n; n = n->Next)
        if (static_cast<const dxf_info*>(n->Item)->bulge != 0)
            return true;
    return false;
}

TDXFPolygon* MapPolyline(const TDXFPolygon& from, const TAffine2D& map, const char* layer) {
    if (HasAnyBulge(from) && !map.KeepsCircles())
        return nullptr;
    return MappedPolyline(from, layer, [&map](const dxf_info& vertex) {
        dxf_info placed;
        const TPoint2D p = map.Apply(TPoint2D(vertex.x, vertex.y));
        placed.x = p.X;
        placed.y = p.Y;
        placed.bulge = map.Mirrors() ? -vertex.bulge : vertex.bulge;
        return placed;
    });
}

} // namespace quillform::detail
