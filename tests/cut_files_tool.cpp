// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// A test-only program that reads a drawing and writes its cut files, for the
// tests that hand them to other programs (GDAL, ezdxf, shapely, librsvg):
//   cut_files_tool [--accurate|--literal] [--open-mode N] [--distance D] [--keep-layers]
//                  [--open-chains] [--output-units U] [--curve-tolerance T]
//                  [--origin] [--dxf FILE] [--svg FILE] [--geojson FILE]
//                  [--parts FOLDER] [--summary FILE] INPUT
//   cut_files_tool --batch FILE   (one such argument list a line, tab-separated)
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
#include <vector>

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

// An arc edge of more than half a turn: GDAL's DXF driver draws the bulge of
// such an arc (over 1) the short way round, so GDAL's area of the contour
// says nothing of ours (ezdxf's and the exact figure agree with ours).
bool LongArc(const quillform::Outline& o) {
    const auto& v = o.vertices;
    for (size_t k = 0; k < v.size(); ++k) {
        if (!v[k].arc)
            continue;
        const quillform::Point c = v[k].arc->center;
        const quillform::Vertex& next = v[(k + 1) % v.size()];
        double sweep =
            std::atan2(next.y - c.y, next.x - c.x) - std::atan2(v[k].y - c.y, v[k].x - c.x);
        if (v[k].arc->clockwise)
            sweep = -sweep;
        while (sweep <= 0)
            sweep += 2 * M_PI;
        if (sweep > M_PI)
            return true;
    }
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
            {"longArc", LongArc(o)},
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

int RunOne(const std::vector<std::string>& args) {
    Request r;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (Flag(r, arg) || (i + 1 < args.size() && Valued(r, arg, args[i + 1].c_str()) && ++i))
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

// Each line of the file the arguments of one run, separated by tabs: one
// process writes the files of every drawing. Prints each run's exit status,
// one a line.
int RunBatch(const char* file) {
    std::ifstream lines(file);
    int worst = 0;
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> args;
        for (size_t from = 0, tab = 0; tab != std::string::npos; from = tab + 1) {
            tab = line.find('\t', from);
            args.push_back(line.substr(from, tab == std::string::npos ? tab : tab - from));
        }
        const int status = RunOne(args);
        std::cout << status << std::endl;
        worst = std::max(worst, status);
    }
    return worst;
}
} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--batch") == 0)
        return RunBatch(argv[2]);
    return RunOne(std::vector<std::string>(argv + 1, argv + argc));
}
