// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/placement.h"
#include "model/spline_curve.h"

#include "model/entity_store.h"

#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace quillform::detail {

// What the accurate geometry rules keep while a file is read: every block
// definition and model space itself as an ordered list of entities (each
// with the map from its object coordinate system) and inserts. Expansion
// happens once the whole file is known.

struct TPolylineDeleter {
    void operator()(TDXFPolygon* polyline) const { DestroyPolygon(polyline); }
};
using TOwnedPolyline = std::unique_ptr<TDXFPolygon, TPolylineDeleter>;

struct TInsertItem {
    std::string block;
    std::string layer; // the INSERT's own layer
    // One map per array cell, from the block's coordinates less its base
    // point to the coordinates of the block or space holding the insert.
    std::vector<TAffine2D> cells;
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

using TBlockItem =
    std::variant<TPlaced<std::unique_ptr<TDXFSegment>>, TPlaced<std::unique_ptr<TDXFArc>>,
                 TPlaced<std::unique_ptr<TDXFCircle>>, TPlaced<TOwnedPolyline>, TEllipseItem,
                 TSplineItem, TInsertItem>;

struct TBlockContents {
    std::string name;
    TPoint2D base;
    std::vector<TBlockItem> items;
};

struct TDrawingModel {
    TBlockContents modelSpace;
    std::vector<std::unique_ptr<TBlockContents>> blocks; // in definition order

    // The first definition of that name, or null.
    const TBlockContents* Find(const std::string& name) const;
};

} // namespace quillform::detail
