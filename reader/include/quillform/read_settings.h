// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>

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
    // Most entities that block inserts may produce; 0 chooses by the memory
    // the machine has (at most 10 million).
    int64_t expansionLimit = 0;
};
