// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/entity_reader.h"

#include "collector.h"
#include "dxf_parse.h"

#include "quillform/status.h"

bool ReadEntities(const wchar_t* fileName, const TEntityEvents& events) {
    Test_CreationClass collector(events);
    return ParseDxfFile(fileName, collector);
}

void ReadContours(const wchar_t* fileName, const TEntityEvents& events,
                  const TLinkSettings& settings, TLista* contours, int32_t* status) {
    Test_CreationClass collector(events);
    if (!ParseDxfFile(fileName, collector)) {
        *status |= stReadError;
        return;
    }
    collector.FlushLastPolyline();
    collector.ExplodeBulgedPolylines(settings.tolerance);
    collector.LinkContours(contours, status, settings.linkingDistance, settings.openContourMode,
                           settings.mixLayers);
}
