// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "shape_reading.h"

#include "entity_log_printer.h"
#include "standard_input.h"

#include <cstdlib>

std::wstring WidePath(const std::string& path) {
    std::wstring wide(path.size() + 1, L'\0');
    const size_t length = std::mbstowcs(wide.data(), path.c_str(), wide.size());
    if (length == static_cast<size_t>(-1))
        return std::wstring(path.begin(), path.end());
    wide.resize(length);
    return wide;
}

FileResult ReadShapes(const std::string& file, const Options& options) {
    struct Context {
        TDXFQuillform reader;
        FileResult result;
    } context;
    context.result.file = file;
    TDXFQuillform& reader = context.reader;
    if (options.log) {
        const TEntityEvents log = EntityLogPrinter(stdout);
        reader.OnLayer = log.OnLayer;
        reader.OnSegment = log.OnSegment;
        reader.OnCircle = log.OnCircle;
        reader.OnArc = log.OnArc;
        reader.OnPolyline = log.OnPolyline;
        reader.OnVertex = log.OnVertex;
        reader.OnBlock = log.OnBlock;
        reader.OnEndBlock = log.OnEndBlock;
        reader.OnInsert = log.OnInsert;
    }
    reader.OnReadDone = {[](void* c) {
                             auto* ctx = static_cast<Context*>(c);
                             ctx->result.shapes = CopyResults(ctx->reader);
                         },
                         &context};
    reader.SetLinkingDistance(options.distance);
    reader.SetOpenContourMode(options.openMode);
    reader.SetMixLayers(options.mixLayers ? 1 : 0);
    reader.SetAccurateGeometry(options.accurate ? 1 : 0);
    reader.SetCurveTolerance(options.curveTolerance);
    reader.SetExpansionLimit(options.expansionLimit);
    reader.SetEngine(static_cast<int32_t>(options.engine));
    reader.Read(std::filesystem::path(InputPath(file)));
    context.result.status = reader.GetStatus();
    context.result.warnings = reader.GetReport().warnings;
    return std::move(context.result);
}
