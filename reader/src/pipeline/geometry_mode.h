// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "collect/collector.h"
#include "collect/expansion_budget.h"
#include "link/linker.h"
#include "model/entity_lists.h"

#include "quillform/diagnostics.h"
#include "quillform/settings.h"

#include <memory>

namespace quillform::detail {

// What a read is told and what it reports, handed to every stage.
struct TReadContext {
    const quillform::Settings& settings;
    quillform::Diagnostics& report;
    TExpansionBudget& budget; // spent by every stage that expands block inserts
    // The longer side of the box around the model-space entities, once known.
    double drawingSize = 0;
    // Whether the lists still have that size: nothing added, moved or taken
    // out since it was measured.
    bool sizeHolds = false;
};

// The rules that turn a file's entities into the segments, arcs, circles and
// polylines that linking takes: how they are collected, how blocks and
// bulges are resolved, and which contours may become shapes. Chosen once per
// read; what a mode keeps beyond the entity lists (the accurate rules' block
// model) stays with the mode.
class TGeometryMode {
public:
    virtual ~TGeometryMode() = default;
    virtual std::unique_ptr<Test_CreationClass> MakeCollector(const quillform::EntityEvents& events,
                                                              TReadContext& context) = 0;
    // After parsing: leaves only model-space entities in the lists.
    virtual void PrepareForLinking(quillform::detail::TEntityLists& lists,
                                   TReadContext& context) = 0;
    // How this mode's entities are chained: the order ends meet in.
    virtual std::unique_ptr<TContourLinker> MakeLinker(quillform::Engine engine) const = 0;
    // After linking: sets aside contours that cannot be shapes or holes.
    virtual void ScreenContours(TLista* contours, TReadContext& context) = 0;
};

std::unique_ptr<TGeometryMode> MakeGeometryMode(const quillform::Settings& settings);
std::unique_ptr<TGeometryMode> MakeLiteralGeometry();
std::unique_ptr<TGeometryMode> MakeAccurateGeometry();

} // namespace quillform::detail
