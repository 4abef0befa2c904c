// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "ring_validity.h"

#include "model/boost_geometry.h"

#include <exception>

namespace quillform::detail {
namespace {
namespace bg = boost::geometry;
using BgPoint = bg::model::d2::point_xy<double>;
using BgPolygon = bg::model::polygon<BgPoint, false>; // counter-clockwise exterior

bg::model::ring<BgPoint, false> RingOf(const std::vector<Point>& points) {
    bg::model::ring<BgPoint, false> ring;
    ring.reserve(points.size());
    for (const Point& p : points)
        ring.emplace_back(p.x, p.y);
    return ring;
}
} // namespace

bool ValidPolygon(const std::vector<std::vector<Point>>& rings) {
    if (rings.empty())
        return false;
    BgPolygon polygon;
    polygon.outer() = RingOf(rings[0]);
    for (size_t k = 1; k < rings.size(); ++k)
        polygon.inners().push_back(RingOf(rings[k]));
    try {
        return bg::is_valid(polygon);
    } catch (const std::exception&) {
        // Coordinates near the largest number overflow the robust
        // predicates: nothing is known against the polygon.
        return true;
    }
}

} // namespace quillform::detail
