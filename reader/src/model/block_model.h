// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/placement.h"
#include "model/spline_curve.h"

#include "model/entity_store.h"

#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

namespace quillform::detail {

// What the accurate geometry rules keep while a file is read: every block
// definition and model space itself as an ordered list of entities (each
// with the map from its object coordinate system) and inserts. Expansion
// happens once the whole file is known.

// Blocks nest at most this deep (as GDAL's DXF reader has it): deeper
// inserts are left out, so that no drawing can exhaust the stack.
constexpr int kMaxNesting = 128;

struct TInsertItem {
    std::string block;
    std::string layer; // the INSERT's own layer
    // The array, cells row by row: cell (row, column) maps the block's
    // coordinates less its base point by `scale`, then by (column *
    // columnSpacing, row * rowSpacing), then by `place` into the coordinates
    // of the block or space holding the insert. Cells are made one at a time
    // as they are placed, never all at once.
    TAffine2D scale, place;
    int64_t rows = 1, columns = 1;
    double rowSpacing = 0, columnSpacing = 0;

    // Rows or columns that a spacing of 0 puts on one place are one.
    TInsertItem(std::string blockName, std::string insertLayer, int64_t rowCount,
                int64_t columnCount, double rowStep, double columnStep);
    int64_t Cells() const { return rows * columns; }
    TAffine2D Cell(int64_t index) const;
};

// An entity as written in its object coordinate system, with the map that
// brings it into the coordinates of the block (or space) holding it.
template <typename Entity> struct TPlaced {
    Entity entity;
    TAffine2D plane;
};

// An ellipse or elliptical arc: the image of an arc of the unit circle.
struct TEllipseItem {
    TAffine2D unitCircle; // from the unit circle to the holding block's coordinates
    double startDegrees = 0, endDegrees = 360;
    std::string layer;
};

// A spline in the holding block's coordinates (SPLINE is written in world
// coordinates; its z is dropped).
struct TSplineItem {
    TSplineCurve curve;
    bool rational = false; // otherwise the weights that came with the points mean nothing
    std::string layer;
};

// The rarer, larger items are held by pointer: every line of a drawing is
// an item, and an item is as large as its largest kind.
using TBlockItem =
    std::variant<TPlaced<std::unique_ptr<TDXFSegment>>, TPlaced<std::unique_ptr<TDXFArc>>,
                 TPlaced<std::unique_ptr<TDXFCircle>>, TPlaced<TOwnedPolyline>,
                 std::unique_ptr<TEllipseItem>, std::unique_ptr<TSplineItem>,
                 std::unique_ptr<TInsertItem>>;

// The insert an item holds, or null.
inline const TInsertItem* InsertOf(const TBlockItem& item) {
    const auto* boxed = std::get_if<std::unique_ptr<TInsertItem>>(&item);
    return boxed ? boxed->get() : nullptr;
}

struct TBlockContents {
    std::string name;
    TPoint2D base;
    // A deque: a large model space grows without copying what it holds.
    std::deque<TBlockItem> items;
};

struct TDrawingModel {
    TBlockContents modelSpace;
    std::vector<std::unique_ptr<TBlockContents>> blocks; // in definition order

    // The first definition of that name, or null; found through an index of
    // the names, brought up to date with the definitions added since.
    const TBlockContents* Find(const std::string& name) const;

private:
    mutable std::unordered_map<std::string, const TBlockContents*> index_;
    mutable size_t indexed_ = 0;
};

} // namespace quillform::detail
