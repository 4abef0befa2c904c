// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/export.h"

#include <cstdint>
#include <string>
#include <vector>

// Which implementation links contours and classifies shapes. Both give the
// same contours, shapes, holes and status bits; the reference engine is the
// literal, quadratic algorithm that the fast one is tested against.
enum class TEngine : int32_t { Fast = 0, Reference = 1 };

// Everything one read is told, gathered from the reader's setters.
struct TReadSettings {
    double linkingDistance = 0;
    int32_t openContourMode = 0;
    bool mixLayers = false;
    // Bulge explosion and the boxes of outer polygon shapes.
    double tolerance = 1e-5;
    TEngine engine = TEngine::Fast;
    // Off: the reader's own simplified rules. On: geometry as CAD programs
    // show it (block base points, scale and mirroring, arrays, nested blocks,
    // object coordinate systems, paper space left out, open polylines open).
    bool accurateGeometry = false;
    // Accurate geometry: the greatest distance between a curve (ellipse,
    // spline, a circle under unequal scale) and the arcs and lines that
    // replace it, in drawing units; 0 means 0.01 mm in the drawing's unit
    // (0.01 when the unit is unknown).
    double curveTolerance = 0;
    // Most entities that block inserts may produce; 0 chooses by the memory
    // the machine has (at most 10 million).
    int64_t expansionLimit = 0;
    // Layers read: when `layers` is not empty only those, and never those in
    // `excludedLayers` (names as the file holds them, or as UTF-8). Entity
    // events are raised for every layer all the same.
    std::vector<std::string> layers;
    std::vector<std::string> excludedLayers;
    // Classification takes holes (and islands) from any layer; a shape keeps
    // its outer outline's layer.
    bool holesAcrossLayers = false;
};

// The curve tolerance a read uses: the setting, or its default for the unit.
QUILLFORM_EXPORT double EffectiveCurveTolerance(const TReadSettings& settings,
                                                double unitMillimetres);
