// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// A test-only program that reads a drawing and writes its cut files, for the
// tests that hand them to other programs (GDAL, ezdxf, shapely, librsvg):
//   cut_files_tool [--accurate] [--open-mode N] [--distance D] [--keep-layers]
//                  [--open-chains] [--output-units U] [--curve-tolerance T]
//                  [--origin] [--dxf FILE] [--svg FILE] [--geojson FILE]
//                  [--parts FOLDER] INPUT
// Warnings go to standard error; exit status 1 when an output fails.
#include "quillform/cut_files.h"

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>
#include <string>

namespace {
struct Request {
    quillform::Settings settings;
    quillform::CutFileOptions options;
    std::map<std::string, std::string> outputs; // --dxf, --svg, --geojson, --parts
    std::string input;
};

bool Flag(Request& r, const std::string& arg) {
    if (arg == "--accurate")
        r.settings.accurate = true;
    else if (arg == "--keep-layers")
        r.options.keepLayers = true;
    else if (arg == "--open-chains")
        r.options.openChains = true;
    else if (arg == "--origin")
        r.options.origin = true;
    else
        return false;
    return true;
}

bool Valued(Request& r, const std::string& arg, const char* value) {
    if (arg == "--open-mode")
        r.settings.openMode = std::atoi(value);
    else if (arg == "--distance")
        r.settings.distance = std::atof(value);
    else if (arg == "--output-units")
        r.options.outputUnits = value;
    else if (arg == "--curve-tolerance")
        r.options.curveTolerance = std::atof(value);
    else if (arg == "--dxf" || arg == "--svg" || arg == "--geojson" || arg == "--parts")
        r.outputs[arg] = value;
    else
        return false;
    return true;
}

bool Report(const quillform::CutFileResult& result, const std::string& what) {
    for (const quillform::Warning& w : result.warnings)
        std::cerr << what << ": warning " << w.code << ": " << w.message << "\n";
    if (!result.ok)
        std::cerr << what << ": " << result.error << "\n";
    return result.ok;
}

quillform::CutFileResult Made(const std::string& kind, const quillform::Drawing& d,
                              const quillform::CutFileOptions& o) {
    if (kind == "--dxf")
        return quillform::CutDxf(d, o);
    if (kind == "--svg")
        return quillform::CutSvg(d, o);
    return quillform::CutGeoJson(d, o);
}
} // namespace

int main(int argc, char** argv) {
    Request r;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (Flag(r, arg) || (i + 1 < argc && Valued(r, arg, argv[i + 1]) && ++i))
            continue;
        r.input = arg;
    }
    const quillform::Drawing drawing = quillform::ReadDrawing(r.input, r.settings);
    bool ok = true;
    for (const auto& [kind, path] : r.outputs) {
        const quillform::CutFileResult result =
            kind == "--parts"
                ? quillform::WritePartFiles(drawing, path, {r.input}, r.options)
                : quillform::WriteCutFile(Made(kind, drawing, r.options), path, {r.input});
        ok = Report(result, kind.substr(2)) && ok;
    }
    return ok ? 0 : 1;
}
