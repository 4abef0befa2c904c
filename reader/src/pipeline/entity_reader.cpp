// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "pipeline/entity_reader.h"

#include "collect/collector.h"
#include "collect/dxf_parse.h"
#include "pipeline/read_pipeline.h"
#include "report/warning_text.h"

#include "collect/expansion_budget.h"

#include "quillform/status.h"

#include <new>

bool ReadEntities(const wchar_t* fileName, const TEntityEvents& events) {
    Test_CreationClass collector(events);
    return ParseDxfFile(fileName, collector);
}

namespace {
void LinkContours(const std::string& path, const TEntityEvents& events,
                  const quillform::Settings& settings, TLista* contours, int32_t* status,
                  quillform::Diagnostics& report) {
    TReadPipeline pipeline(settings, events, report);
    const int32_t parsed = pipeline.Collect(path);
    *status |= parsed;
    if (parsed & (stReadError | stNotDrawing))
        return;
    int32_t linking = 0; // linking stops on its own bits only
    pipeline.Link(&linking);
    *status |= linking;
    TLista& linked = pipeline.Contours();
    while (linked.Count > 0) {
        contours->Add(linked.Head->Item);
        linked.Delete(0);
    }
}
} // namespace

void ReadContours(const std::string& path, const TEntityEvents& events,
                  const quillform::Settings& settings, TLista* contours, int32_t* status,
                  quillform::Diagnostics* report) {
    quillform::Diagnostics ownReport;
    quillform::Diagnostics& used = report ? *report : ownReport;
    try {
        LinkContours(path, events, settings, contours, status, used);
    } catch (const TExpansionLimitReached& limit) {
        *status |= stExpansionLimit;
        used.Warn("expansionLimit", std::string(), limit.limit);
    } catch (const std::bad_alloc&) {
        *status |= stOutOfMemory;
    }
    FinishDiagnostics(used);
}
