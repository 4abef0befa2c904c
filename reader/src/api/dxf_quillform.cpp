// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/dxf_quillform.h"

#include "pipeline/read_pipeline.h"

#include "quillform/names.h"

#include <cstring>

// The facade reads by its own simplified rules unless told otherwise.
TDXFQuillform::TDXFQuillform() {
    FSettings.accurate = false;
}

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
    Read(std::filesystem::path(quillform::NarrowPath(fileName)));
}

quillform::EntityEvents TDXFQuillform::EntitySlots() const {
    return quillform::EntityEvents{OnLayer,  OnSegment, OnCircle,   OnArc,   OnPolyline,
                                   OnVertex, OnBlock,   OnEndBlock, OnInsert};
}

void TDXFQuillform::Read(const std::filesystem::path& path) {
    if (!FReady)
        return; // a read started from inside one of our own events
    FReady = false;
    FLayers.Clear();
    FStatus = 0;
    FReport = quillform::Diagnostics();
    quillform::detail::ReadFile(path.native(), ReadSettings(), EntitySlots(),
                                quillform::detail::TReadTarget{&FLayers, nullptr}, &FStatus,
                                FReport);
    OnReadDone.Raise();
    FLayers.Clear();
    FReady = true;
}
