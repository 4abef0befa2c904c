// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/entity_reader.h"

#include "collect/collector.h"
#include "collect/dxf_parse.h"
#include "read_pipeline.h"

#include "quillform/status.h"

bool ReadEntities(const wchar_t* fileName, const TEntityEvents& events) {
    Test_CreationClass collector(events);
    return ParseDxfFile(fileName, collector);
}

void ReadContours(const std::string& path, const TEntityEvents& events,
                  const TReadSettings& settings, TLista* contours, int32_t* status) {
    TReadReport report;
    TReadPipeline pipeline(settings, events, report);
    if (!pipeline.Collect(path)) {
        *status |= stReadError;
        return;
    }
    pipeline.Link(status);
    TLista& linked = pipeline.Contours();
    while (linked.Count > 0) {
        contours->Add(linked.Head->Item);
        linked.Delete(0);
    }
}
