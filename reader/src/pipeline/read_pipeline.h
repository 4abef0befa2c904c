// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "classify/classifier.h"
#include "collect/collector.h"
#include "link/linker.h"
#include "pipeline/geometry_mode.h"

#include "quillform/diagnostics.h"
#include "quillform/settings.h"
#include "quillform/shape_records.h"

#include <memory>
#include <string>

// One read, stage by stage: collect (dxflib's callbacks into the entity
// store) -> expand (blocks, bulges) -> link -> classify. The geometry rules
// and the engines are chosen once, when the pipeline is made.
class TReadPipeline {
public:
    TReadPipeline(const quillform::Settings& settings, const TEntityEvents& events,
                  quillform::Diagnostics& report);
    ~TReadPipeline();
    TReadPipeline(const TReadPipeline&) = delete;
    TReadPipeline& operator=(const TReadPipeline&) = delete;

    // Parses the file into the collector. Returns stReadError, stNotDrawing
    // or stTruncated (see ParseDxf), or 0.
    int32_t Collect(const std::string& path);
    const TLayersName& LayerNames() const { return collector_->LayerNames; }
    // Resolves blocks and bulges and links the contours; ORs the linking
    // status bits into *status (linking stops once *status is not 0, so
    // callers hand it a word of its own).
    void Link(int32_t* status);
    // Files every contour and circle as a shape, or a hole of one, under its layer.
    void Classify(TLayers& layers);

    // The linked contours, owned by the pipeline until it is destroyed.
    TLista& Contours() { return contours_; }

private:
    TExpansionBudget budget_;
    TReadContext context_;
    std::unique_ptr<TGeometryMode> geometry_;
    std::unique_ptr<Test_CreationClass> collector_;
    TLista contours_;
};
