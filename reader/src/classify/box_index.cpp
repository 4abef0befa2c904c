// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "classify/box_index.h"

#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>
#include <boost/iterator/function_output_iterator.hpp>
#include <boost/iterator/transform_iterator.hpp>

#include <algorithm>
#include <utility>

namespace quillform::detail {

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;

namespace {
// The group is the third coordinate, so that one tree serves every layer.
using Point = bg::model::point<double, 3, bg::cs::cartesian>;
using Box = bg::model::box<Point>;
using Value = std::pair<Box, uint32_t>;

// Coordinates beyond this are clamped, so that the tree's areas stay
// finite; clamping keeps every containment between boxes.
constexpr double kFar = 1e150;

double Clamp(double v) {
    return std::max(-kFar, std::min(kFar, v));
}

Box ToBox(const TBox& box, uint32_t group) {
    const double z = group;
    return Box(Point(Clamp(box.minX), Clamp(box.minY), z),
               Point(Clamp(box.maxX), Clamp(box.maxY), z));
}

// Assignable, as the packing's sorting needs its iterators to be.
struct MakeValue {
    const std::function<TBoxIndex::Entry(uint32_t)>* entryAt;
    Value operator()(uint32_t i) const {
        const TBoxIndex::Entry e = (*entryAt)(i);
        return Value(ToBox(e.box, e.group), e.id);
    }
};
} // namespace

struct TBoxIndex::Tree {
    bgi::rtree<Value, bgi::quadratic<16>> rtree;
};

// The tree's values are made as the packing reads them, from the entries
// with a valid box: only their positions are listed beside the tree.
TBoxIndex::TBoxIndex(uint32_t count, const std::function<Entry(uint32_t)>& entryAt) {
    std::vector<uint32_t> valid;
    valid.reserve(count);
    for (uint32_t i = 0; i < count; ++i)
        if (entryAt(i).box.Valid())
            valid.push_back(i);
    const MakeValue value{&entryAt};
    tree_ = std::make_unique<Tree>(Tree{{boost::make_transform_iterator(valid.cbegin(), value),
                                         boost::make_transform_iterator(valid.cend(), value)}});
}

TBoxIndex::~TBoxIndex() = default;

void TBoxIndex::Meeting(uint32_t group, const TBox& box, std::vector<uint32_t>& ids) const {
    if (!box.Valid())
        return;
    tree_->rtree.query(bgi::intersects(ToBox(box, group)),
                       boost::make_function_output_iterator(
                           [&ids](const Value& value) { ids.push_back(value.second); }));
}

} // namespace quillform::detail
