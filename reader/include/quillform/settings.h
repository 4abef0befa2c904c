// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/export.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillform {

// Which implementation links contours and classifies shapes. Both give the
// same contours, shapes, holes and status bits; the reference engine is the
// literal, quadratic algorithm that the fast one is tested against.
enum class Engine : int32_t { Fast = 0, Reference = 1 };

// Everything one read is told. The command's options, Python's keywords, the
// window and the reader's setters all fill this one record; its defaults are
// the command's.
struct Settings {
    double distance = 1; // linking distance, in drawing units
    int openMode = 0;    // a chain that does not close: 0 drop it, 1 keep it, 2 stop
    bool mixLayers = false;
    // On: geometry as CAD programs show it (block base points, scale and
    // mirroring, arrays, nested blocks, object coordinate systems, paper
    // space left out, open polylines open, nearest ends joined first). Off:
    // the reader's own simplified rules, which the facade TDXFQuillform keeps.
    bool accurate = true;
    // Accurate geometry: the greatest distance between a curve (ellipse,
    // spline, a circle under unequal scale) and the arcs and lines that
    // replace it, in drawing units; 0 means 0.01 mm in the drawing's unit
    // (0.01 when the unit is unknown).
    double curveTolerance = 0;
    Engine engine = Engine::Fast;
    // Layers read: when `layers` is not empty only those, and never those in
    // `excludedLayers` (names as the file holds them, or as UTF-8). Entity
    // events are raised for every layer all the same.
    std::vector<std::string> layers;
    std::vector<std::string> excludedLayers;
    // Classification takes holes (and islands) from any layer; a shape keeps
    // its outer outline's layer.
    bool holesAcrossLayers = false;
    // Most entities that block inserts may produce; 0 chooses by the memory
    // the machine has (at most 10 million).
    int64_t expansionLimit = 0;
    // Not offered to users: the geometric tolerance of bulge explosion and
    // of the boxes of outer polygon shapes.
    double tolerance = 1e-5;
};

// How a setting is named where users meet it. `json` is null for a setting
// the JSON document leaves out; there a setting shows when `always`, or when
// it differs from its default and means something under the others
// (`applies`, when given, says whether it does).
struct SettingName {
    const char* json;
    const char* python;
    bool always = false;
    bool (*applies)(const Settings&) = nullptr;
};

// Calls visit(name, member) for each setting users give, with a pointer to
// its member of Settings, in the order the JSON document lists them. What
// writes or reads settings by name goes through this list, so that a new
// setting needs no code of its own there.
template <typename Visit> void ForEachSetting(Visit&& visit) {
    visit(SettingName{"distance", "distance", true}, &Settings::distance);
    visit(SettingName{"mixLayers", "mix_layers", true}, &Settings::mixLayers);
    visit(SettingName{"openMode", "open_mode", true}, &Settings::openMode);
    visit(SettingName{"accurate", "accurate", true}, &Settings::accurate);
    visit(SettingName{"curveTolerance", "curve_tolerance", false,
                      [](const Settings& s) { return s.accurate; }},
          &Settings::curveTolerance);
    visit(SettingName{"engine", "engine"}, &Settings::engine);
    visit(SettingName{"layers", "layers"}, &Settings::layers);
    visit(SettingName{"excludeLayers", "exclude_layers"}, &Settings::excludedLayers);
    visit(SettingName{"holesAcrossLayers", "holes_across_layers"}, &Settings::holesAcrossLayers);
    visit(SettingName{nullptr, "expansion_limit"}, &Settings::expansionLimit);
}

// "fast" or "reference", and back.
QUILLFORM_EXPORT const char* EngineName(Engine engine);
QUILLFORM_EXPORT std::optional<Engine> EngineNamed(const std::string& name);

// What is wrong with the settings, naming the first setting at fault
// ("distance: expected a finite number >= 0"); empty when nothing is. A
// distance and a curve tolerance are finite and not negative, the open mode
// is 0, 1 or 2, the expansion limit is not negative.
QUILLFORM_EXPORT std::string SettingsProblem(const Settings& settings);

// The curve tolerance a read uses: the setting, or its default for the unit.
QUILLFORM_EXPORT double EffectiveCurveTolerance(const Settings& settings, double unitMillimetres);

} // namespace quillform
