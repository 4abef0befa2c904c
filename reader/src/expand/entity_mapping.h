// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/placement.h"

#include "model/entity_store.h"

#include <memory>

namespace quillform::detail {

// Copies of collected entities carried through a map of the plane. Circles,
// arcs and bulges survive only maps that keep circles (a mirror reverses
// their direction); under any other map these return null: the outline
// would be an ellipse. The copies take the given layer.
std::unique_ptr<TDXFSegment> MapSegment(const TDXFSegment& from, const TAffine2D& map,
                                        const char* layer);
std::unique_ptr<TDXFCircle> MapCircle(const TDXFCircle& from, const TAffine2D& map,
                                      const char* layer);
std::unique_ptr<TDXFArc> MapArc(const TDXFArc& from, const TAffine2D& map, const char* layer);
// A raw polyline (flags item first); null when a bulged edge cannot be mapped.
TDXFPolygon* MapPolyline(const TDXFPolygon& from, const TAffine2D& map, const char* layer);

// Whether any vertex of a raw polyline carries a bulge.
bool HasAnyBulge(const TDXFPolygon& polyline);

} // namespace quillform::detail
