// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/outline.h"

#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>

#include <cstddef>
#include <utility>
#include <vector>

// Every closed outline of a layer (outer outlines and holes) with the part
// it belongs to, and the box index the check searches them with.
namespace quillform::detail {

struct TLayerOutline {
    const Outline* outline = nullptr;
    size_t part = 0;
    bool hole = false;
};

std::vector<TLayerOutline> OutlinesOf(const Layer& layer);

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;
using TBoxPoint = bg::model::point<double, 2, bg::cs::cartesian>;
using TBox = bg::model::box<TBoxPoint>;
using TBoxEntry = std::pair<TBox, size_t>;
using TBoxTree = bgi::rtree<TBoxEntry, bgi::quadratic<16>>;

inline TBox BoxOf(const Bounds& b, double grow = 0) {
    return TBox(TBoxPoint(b.minX - grow, b.minY - grow), TBoxPoint(b.maxX + grow, b.maxY + grow));
}

} // namespace quillform::detail
