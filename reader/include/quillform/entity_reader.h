// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/events.h"
#include "quillform/lista.h"

#include <cstdint>

// Reads a DXF file only for its entity events, without building shapes.
// False when the file cannot be opened (no event is raised then).
bool ReadEntities(const wchar_t* fileName, const TEntityEvents& events);

struct TLinkSettings {
    double linkingDistance = 0;
    int32_t openContourMode = 0;
    bool mixLayers = false;
    double tolerance = 1e-5; // bulge explosion
};

// Reads a DXF file and links its contours as the reader does before
// classification: final flush, bulge explosion, linking. Appends the
// contours (TDXFPolygon, caller frees them with FreeContours) to contours and
// ORs status bits (stReadError and the linking bits) into *status.
void ReadContours(const wchar_t* fileName, const TEntityEvents& events,
                  const TLinkSettings& settings, TLista* contours, int32_t* status);
