// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "pipeline/read_pipeline.h"

#include "classify/classifier.h"
#include "collect/collector.h"
#include "collect/dxf_parse.h"
#include "collect/expansion_budget.h"
#include "collect/layer_selection.h"
#include "expand/drawing_extent.h"
#include "link/distance_advice.h"
#include "link/linker.h"
#include "link/near_misses.h"
#include "pipeline/geometry_mode.h"
#include "report/warning_text.h"

#include "quillform/status.h"

#include <exception>
#include <memory>
#include <new>

namespace quillform::detail {
namespace {
// One read, stage by stage: collect (dxflib's callbacks into the entity
// lists) -> expand (blocks, bulges) -> link -> classify. The geometry rules
// and the engines are chosen once, when the pipeline is made.
class TReadPipeline {
public:
    TReadPipeline(const Settings& settings, const quillform::EntityEvents& events,
                  Diagnostics& report)
        : budget_(settings.expansionLimit > 0 ? settings.expansionLimit
                                              : ExpansionLimitFor(CurrentMemoryFigures())),
          context_{settings, report, budget_}, geometry_(MakeGeometryMode(settings)),
          collector_(geometry_->MakeCollector(events, context_)) {}
    ~TReadPipeline() { FreeContours(&contours_); }
    TReadPipeline(const TReadPipeline&) = delete;
    TReadPipeline& operator=(const TReadPipeline&) = delete;

    // Parses the file into the entity lists. Returns stReadError,
    // stNotDrawing or stTruncated (see ParseDxf), or 0.
    int32_t Collect(const std::string& path);
    const TLayersName& LayerNames() const { return collector_->LayerNames; }
    // Resolves blocks and bulges and links the contours; ORs the linking
    // status bits into *status (linking stops once *status is not 0, so
    // it gets a word of its own).
    void Link(int32_t* status);
    // Files every contour and circle as a shape, or a hole of one, under its layer.
    void Classify(TLayers& layers, TPartSink* sink);
    // Hands the linked contours over.
    void MoveContours(TLista* to);

private:
    TExpansionBudget budget_;
    TReadContext context_;
    std::unique_ptr<TGeometryMode> geometry_;
    std::unique_ptr<Test_CreationClass> collector_;
    TLista contours_;
};

int32_t TReadPipeline::Collect(const std::string& path) {
    const int32_t status = ParseDxf(path, *collector_, &context_.report);
    if (status & (stReadError | stNotDrawing))
        return status;
    collector_->FinishCollecting();
    context_.report.unit = DrawingUnit(collector_->InsUnits, collector_->Measurement);
    if (collector_->InsUnits > 0 && !context_.report.unit.Known()) {
        context_.report.Warn("unknownUnit");
        context_.report.warnings.back().detail = std::to_string(collector_->InsUnits);
    }
    return status;
}

void TReadPipeline::Link(int32_t* status) {
    TEntityLists& lists = *collector_;
    geometry_->PrepareForLinking(lists, context_);
    const Settings& s = context_.settings;
    if (KeepSelectedLayers(lists, s, context_.report))
        context_.sizeHolds = false;
    Diagnostics& report = context_.report;
    // Measuring walks every entity again: the size already known is reused
    // when the lists are still the ones it was measured on.
    const double size = context_.sizeHolds ? context_.drawingSize : DrawingSize(lists);
    AdviseOnDistance(lists, s.distance, size, report);
    geometry_->MakeLinker(s.engine)->Link(
        lists, &contours_, status,
        TLinkOptions{s.distance, s.openMode, s.mixLayers, &report.openChains});
    // Loose ends this close together were probably meant to meet.
    constexpr double kNearMissReach = 10;
    report.nearMisses = FindNearMisses(report.openChains, kNearMissReach * s.distance);
    geometry_->ScreenContours(&contours_, context_);
}

void TReadPipeline::Classify(TLayers& layers, TPartSink* sink) {
    const Settings& s = context_.settings;
    MakeClassifier(s.engine)->Classify(&contours_, &collector_->Circles, layers, s, sink);
}

void TReadPipeline::MoveContours(TLista* to) {
    while (contours_.Count > 0) {
        to->Add(contours_.Head->Item);
        contours_.Delete(0);
    }
}

// A layer for every registered name the settings select, in registration order.
void AddLayers(const TLayersName& names, const Settings& settings, TLayers& layers) {
    for (const TListaNode* n = names.Head; n; n = n->Next)
        if (LayerSelected(static_cast<const char*>(n->Item), settings))
            AddOwned(layers, std::make_unique<TLayer>(static_cast<const char*>(n->Item)));
}

// The steps of one read. A file that gave no drawing stops after parsing;
// only linking's own bits stop the shapes (a truncated file still gets them).
void RunSteps(TReadPipeline& pipeline, const std::string& path, const Settings& settings,
              const TReadTarget& target, int32_t* status) {
    const int32_t parsed = pipeline.Collect(path);
    *status |= parsed;
    if (parsed & (stReadError | stNotDrawing))
        return;
    if (target.layers)
        AddLayers(pipeline.LayerNames(), settings, *target.layers);
    int32_t linking = 0;
    pipeline.Link(&linking);
    *status |= linking;
    if (!target.layers)
        pipeline.MoveContours(target.contours);
    else if (linking != 0)
        *status |= stLinkingFailed;
    else
        pipeline.Classify(*target.layers, target.sink);
}

// A read that cannot go on has no layers; its status says why.
void Abandon(const TReadTarget& target, int32_t* status, int32_t bit) {
    if (target.layers)
        target.layers->Clear();
    *status |= bit;
}
} // namespace

bool RefuseBadSettings(const Settings& settings, int32_t* status, Diagnostics& diagnostics) {
    const std::string problem = SettingsProblem(settings);
    if (problem.empty())
        return false;
    *status |= stBadSettings;
    diagnostics.Warn("badSettings");
    diagnostics.warnings.back().detail = problem;
    diagnostics.warnings.back().message = problem;
    return true;
}

void ReadFile(const std::string& path, const Settings& settings,
              const quillform::EntityEvents& events, const TReadTarget& target, int32_t* status,
              Diagnostics& diagnostics) {
    try {
        TReadPipeline pipeline(settings, events, diagnostics);
        RunSteps(pipeline, path, settings, target, status);
    } catch (const TExpansionLimitReached& limit) {
        Abandon(target, status, stExpansionLimit);
        diagnostics.Warn("expansionLimit", std::string(), limit.limit);
    } catch (const std::bad_alloc&) {
        Abandon(target, status, stOutOfMemory);
    } catch (const std::exception&) {
        Abandon(target, status, stReadError);
    }
    try {
        FinishDiagnostics(diagnostics);
    } catch (const std::bad_alloc&) {
        Abandon(target, status, stOutOfMemory);
    }
}

} // namespace quillform::detail
