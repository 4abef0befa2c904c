// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "collect/collector.h"
#include "collect/expansion_budget.h"

#include "quillform/diagnostics.h"
#include "quillform/settings.h"

#include <memory>

// What a read is told and what it reports, handed to every stage.
struct TReadContext {
    const quillform::Settings& settings;
    quillform::Diagnostics& report;
    TExpansionBudget& budget; // spent by every stage that expands block inserts
    // The longer side of the box around the model-space entities, once known.
    double drawingSize = 0;
};

// The rules that turn a file's entities into the segments, arcs, circles and
// polylines that linking takes: how they are collected, how blocks and
// bulges are resolved, and which contours may become shapes. Chosen once per
// read.
class TGeometryMode {
public:
    virtual ~TGeometryMode() = default;
    virtual std::unique_ptr<Test_CreationClass> MakeCollector(const TEntityEvents& events,
                                                              TReadContext& context) const = 0;
    // Right after parsing, before the layer registry is read.
    virtual void FinishCollecting(Test_CreationClass&, TReadContext&) const {}
    // After parsing: leaves only model-space entities in the collector's lists.
    virtual void PrepareForLinking(Test_CreationClass& collector, TReadContext& context) const = 0;
    // After linking: sets aside contours that cannot be shapes or holes.
    virtual void ScreenContours(TLista* contours, TReadContext& context) const = 0;
};

std::unique_ptr<TGeometryMode> MakeGeometryMode(const quillform::Settings& settings);
std::unique_ptr<TGeometryMode> MakeAccurateGeometry();
