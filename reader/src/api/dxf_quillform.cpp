// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/dxf_quillform.h"

#include "pipeline/read_pipeline.h"
#include "report/warning_text.h"

#include "collect/layer_selection.h"

#include "collect/expansion_budget.h"

#include "quillform/names.h"
#include "quillform/status.h"

#include <cstring>
#include <exception>
#include <new>

TDXFQuillform::TDXFQuillform() = default;

void TDXFQuillform::SetLinkingDistance(double distance) {
    FLinkingDistance = distance;
}

void TDXFQuillform::SetOpenContourMode(int32_t mode) {
    FOpenContourMode = mode;
}

void TDXFQuillform::SetMixLayers(int32_t value) {
    if (!FReady)
        return;
    FMixLayers = (value == 0 || value == 1) ? value : 0;
}

void TDXFQuillform::SetEngine(int32_t engine) {
    FSettings.engine = engine == static_cast<int32_t>(quillform::Engine::Reference)
                           ? quillform::Engine::Reference
                           : quillform::Engine::Fast;
}

void TDXFQuillform::SetAccurateGeometry(int32_t value) {
    if (FReady)
        FSettings.accurate = value == 1;
}

void TDXFQuillform::SetCurveTolerance(double tolerance) {
    FSettings.curveTolerance = tolerance;
}

void TDXFQuillform::SetLayerSelection(const std::vector<std::string>& read,
                                      const std::vector<std::string>& excluded) {
    FSettings.layers = read;
    FSettings.excludedLayers = excluded;
}

void TDXFQuillform::SetHolesAcrossLayers(int32_t value) {
    FSettings.holesAcrossLayers = value == 1;
}

void TDXFQuillform::SetExpansionLimit(int64_t entities) {
    FSettings.expansionLimit = entities > 0 ? entities : 0;
}

char* TDXFQuillform::GetVersion(char* dest) const {
    std::memcpy(dest, FVersion, std::strlen(FVersion) + 1);
    return dest;
}

quillform::Settings TDXFQuillform::ReadSettings() const {
    quillform::Settings settings = FSettings;
    settings.distance = FLinkingDistance;
    settings.openMode = FOpenContourMode;
    settings.mixLayers = FMixLayers != 0;
    settings.tolerance = FTolerance;
    return settings;
}

void TDXFQuillform::Read(const wchar_t* fileName) {
    Read(std::filesystem::path(NarrowPath(fileName)));
}

void TDXFQuillform::Read(const std::filesystem::path& path) {
    if (!FReady)
        return; // a read started from inside one of our own events
    FReady = false;
    FLayers.Clear();
    FStatus = 0;
    FReport = quillform::Diagnostics();
    // Nothing may escape to the host: a read that cannot go on is a failed
    // read without layers, and its status says why.
    try {
        RunPipeline(path.native());
    } catch (const TExpansionLimitReached& limit) {
        FLayers.Clear();
        FStatus |= stExpansionLimit;
        FReport.Warn("expansionLimit", std::string(), limit.limit);
    } catch (const std::bad_alloc&) {
        FLayers.Clear();
        FStatus |= stOutOfMemory;
    } catch (const std::exception&) {
        FLayers.Clear();
        FStatus |= stReadError;
    }
    FinishDiagnostics(FReport);
    OnReadDone.Raise();
    FLayers.Clear();
    FReady = true;
}

void TDXFQuillform::RunPipeline(const std::string& path) {
    const quillform::Settings settings = ReadSettings();
    TReadPipeline pipeline(settings,
                           TEntityEvents{OnLayer, OnSegment, OnCircle, OnArc, OnPolyline, OnVertex,
                                         OnBlock, OnEndBlock, OnInsert},
                           FReport);
    const int32_t parsed = pipeline.Collect(path);
    FStatus |= parsed;
    if (parsed & (stReadError | stNotDrawing))
        return;
    for (const TListaNode* n = pipeline.LayerNames().Head; n; n = n->Next)
        if (LayerSelected(static_cast<const char*>(n->Item), settings))
            FLayers.Add(new TLayer(static_cast<const char*>(n->Item)));
    // Only linking's own bits stop the shapes; a truncated file still gets them.
    int32_t linking = 0;
    pipeline.Link(&linking);
    FStatus |= linking;
    if (linking != 0)
        FStatus |= stLinkingFailed;
    else
        pipeline.Classify(FLayers);
}
