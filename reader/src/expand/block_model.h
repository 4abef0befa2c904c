// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "expand/placement.h"

#include "quillform/entity_store.h"

#include <memory>
#include <string>
#include <variant>
#include <vector>

// What the accurate geometry rules keep while a file is read: every block
// definition and model space itself as an ordered list of entities (in the
// block's own world coordinates, object coordinate systems resolved) and
// inserts. Expansion happens once the whole file is known.

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

using TBlockItem = std::variant<std::unique_ptr<TDXFSegment>, std::unique_ptr<TDXFArc>,
                                std::unique_ptr<TDXFCircle>, TOwnedPolyline, TInsertItem>;

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
