// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/export.h"
#include "quillform/units.h"

#include <cstdint>
#include <string>
#include <vector>

// Something a read noticed and counted instead of failing: entities it could
// not use, input it had to mend. Warnings never change the results; they say
// why a result may not be what the drawing meant.
struct TReadWarning {
    std::string code;  // stable identifier, as in the JSON output
    std::string layer; // the layer it concerns, or empty for the whole drawing
    int64_t count = 0;
};

// What one read reports besides its shapes. Valid from the end of a read
// (already inside OnReadDone) until the next read starts.
struct TReadReport {
    // In order of first occurrence; one entry per code and layer.
    std::vector<TReadWarning> warnings;
    // The drawing's length unit, from its header.
    TDrawingUnit unit;

    QUILLFORM_EXPORT void Warn(const std::string& code, const std::string& layer = std::string(),
                               int64_t count = 1);
    void Clear() { *this = TReadReport(); }
};

// The sentence a user reads for a warning, in English, names as UTF-8.
QUILLFORM_EXPORT std::string WarningText(const TReadWarning& warning);
