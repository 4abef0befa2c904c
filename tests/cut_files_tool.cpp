// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// A test-only program that reads a drawing and writes its cut files, for the
// tests that hand them to other programs (GDAL, ezdxf, shapely, librsvg):
//   cut_files_tool [--accurate|--literal] [--open-mode N] [--distance D] [--keep-layers]
//                  [--open-chains] [--output-units U] [--curve-tolerance T]
//                  [--origin] [--dxf FILE] [--svg FILE] [--geojson FILE]
//                  [--parts FOLDER] [--summary FILE] INPUT
// The summary (JSON) says what the tests expect the files to hold: the
// drawing's unit, every shape with the area each of its contours encloses
// (from the value API), the open chains, and the warnings of each output.
// Warnings also go to standard error; exit status 1 when an output fails.
#include "quillform/cut_files.h"
#include "quillform/outline_measures.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
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
    else if (arg == "--literal")
        r.settings.accurate = false;
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
    else if (arg == "--dxf" || arg == "--svg" || arg == "--geojson" || arg == "--parts" ||
             arg == "--summary")
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

// Numbers, box and size all finite.
bool Finite(const quillform::Outline& o) {
    const quillform::Bounds& b = o.bounds;
    bool finite = std::isfinite(b.maxX - b.minX) && std::isfinite(b.maxY - b.minY);
    for (const quillform::Vertex& v : o.vertices)
        finite = finite && std::isfinite(v.x) && std::isfinite(v.y);
    return finite;
}

// An arc edge that turns clockwise all the way round: EnclosedArea counts it
// as no turn at all, so the area of such a contour says nothing.
bool ClockwiseWholeTurn(const quillform::Outline& o) {
    const auto& v = o.vertices;
    for (size_t k = 0; k < v.size(); ++k)
        if (v[k].arc && v[k].arc->clockwise && v[k].x == v[(k + 1) % v.size()].x &&
            v[k].y == v[(k + 1) % v.size()].y)
            return true;
    return false;
}

// Open mode 1 keeps an open chain as a shape with the same vertices.
bool OpenChain(const quillform::Drawing& d, const std::string& layer, const quillform::Outline& o) {
    for (const quillform::OpenChain& chain : d.openChains)
        if (chain.layer == layer && chain.vertices.size() == o.vertices.size() &&
            std::equal(chain.vertices.begin(), chain.vertices.end(), o.vertices.begin(),
                       [](const quillform::Vertex& a, const quillform::Vertex& b) {
                           return a.x == b.x && a.y == b.y;
                       }))
            return true;
    return false;
}

nlohmann::json Contour(const quillform::Drawing& d, const std::string& layer,
                       const quillform::Outline& o) {
    const bool point = o.kind == quillform::OutlineKind::Polygon &&
                       (o.vertices.empty() || (o.vertices.size() == 1 && !o.vertices[0].arc));
    return {{"area", quillform::EnclosedArea(o)},
            {"circle", o.kind == quillform::OutlineKind::Circle},
            {"vertices", o.vertices.size()},
            {"point", point},
            {"finite", Finite(o)},
            {"clockwiseWholeTurn", ClockwiseWholeTurn(o)},
            {"open", OpenChain(d, layer, o)}};
}

nlohmann::json Shapes(const quillform::Drawing& d) {
    nlohmann::json shapes = nlohmann::json::array();
    for (const quillform::Layer& layer : d.layers)
        for (size_t j = 0; j < layer.shapes.size(); ++j) {
            const quillform::Shape& shape = layer.shapes[j];
            nlohmann::json holes = nlohmann::json::array();
            for (const quillform::Outline& hole : shape.holes)
                holes.push_back(Contour(d, layer.name, hole));
            shapes.push_back({{"layer", layer.name},
                              {"part", j},
                              {"outline", Contour(d, layer.name, shape)},
                              {"holes", holes}});
        }
    return shapes;
}

nlohmann::json Warnings(const quillform::CutFileResult& result) {
    nlohmann::json warnings = nlohmann::json::array();
    for (const quillform::Warning& w : result.warnings)
        warnings.push_back({{"code", w.code}, {"layer", w.layer}, {"message", w.message}});
    return warnings;
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
    // The files are in the output unit: so are the areas they must hold.
    quillform::Drawing measured = drawing;
    std::string error;
    if (!r.options.outputUnits.empty() &&
        !quillform::ConvertUnits(measured, r.options.outputUnits, &error))
        std::cerr << error << "\n";
    bool ok = true;
    nlohmann::json summary = {{"unit",
                               {{"code", measured.lengths.code},
                                {"name", measured.lengths.name},
                                {"millimetres", measured.lengths.millimetres}}},
                              {"shapes", Shapes(measured)},
                              {"openChains", drawing.openChains.size()},
                              {"warnings", nlohmann::json::object()}};
    for (const auto& [kind, path] : r.outputs) {
        if (kind == "--summary")
            continue;
        const quillform::CutFileResult result =
            kind == "--parts"
                ? quillform::WritePartFiles(drawing, path, {r.input}, r.options)
                : quillform::WriteCutFile(Made(kind, drawing, r.options), path, {r.input});
        ok = Report(result, kind.substr(2)) && ok;
        summary["warnings"][kind.substr(2)] = Warnings(result);
    }
    if (r.outputs.count("--summary"))
        std::ofstream(r.outputs["--summary"]) << summary.dump(1) << "\n";
    return ok ? 0 : 1;
}
