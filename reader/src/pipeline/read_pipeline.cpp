// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "pipeline/read_pipeline.h"

#include "collect/dxf_parse.h"
#include "collect/layer_selection.h"
#include "expand/drawing_extent.h"
#include "link/distance_advice.h"
#include "link/near_misses.h"

#include "quillform/status.h"

TReadPipeline::TReadPipeline(const quillform::Settings& settings, const TEntityEvents& events,
                             quillform::Diagnostics& report)
    : budget_(settings.expansionLimit > 0 ? settings.expansionLimit
                                          : ExpansionLimitFor(CurrentMemoryFigures())),
      context_{settings, report, budget_}, geometry_(MakeGeometryMode(settings)),
      collector_(geometry_->MakeCollector(events, context_)) {}

TReadPipeline::~TReadPipeline() {
    FreeContours(&contours_);
}

int32_t TReadPipeline::Collect(const std::string& path) {
    const int32_t status = ParseDxf(path, *collector_, &context_.report);
    if (status & (stReadError | stNotDrawing))
        return status;
    geometry_->FinishCollecting(*collector_, context_);
    context_.report.unit = quillform::DrawingUnit(collector_->InsUnits, collector_->Measurement);
    return status;
}

void TReadPipeline::Link(int32_t* status) {
    geometry_->PrepareForLinking(*collector_, context_);
    const quillform::Settings& s = context_.settings;
    KeepSelectedLayers(*collector_, s);
    quillform::Diagnostics& report = context_.report;
    AdviseOnDistance(*collector_, s.distance, DrawingSize(*collector_), report);
    MakeLinker(s.engine)->Link(
        *collector_, &contours_, status,
        TLinkOptions{s.distance, s.openMode, s.mixLayers, &report.openChains});
    // Loose ends this close together were probably meant to meet.
    constexpr double kNearMissReach = 10;
    report.nearMisses = FindNearMisses(report.openChains, kNearMissReach * s.distance);
    geometry_->ScreenContours(&contours_, context_);
}

void TReadPipeline::Classify(TLayers& layers) {
    const quillform::Settings& s = context_.settings;
    MakeClassifier(s.engine)->Classify(&contours_, &collector_->Circles, layers,
                                       TClassifyOptions{s.tolerance, s.holesAcrossLayers});
}
