// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// quillform-cut-bench: the cost of the cut files beside the read that finds
// the parts. For the bench sheet (default 10 000 parts) in both geometry
// modes: the read (ReadDrawing), the cut-ready DXF (made and written to a
// file), and for comparison the SVG, the GeoJSON and one DXF per part.
//   quillform-cut-bench [--parts N] [--runs R] [--dir FOLDER]
#include "bench_clock.h"
#include "sheet_writer.h"

#include "quillform/cut_files.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

namespace {
using namespace quillform::bench;
namespace fs = std::filesystem;

// The least processor time of a few runs: the machine is shared.
double Best(int runs, const std::function<void()>& job) {
    double best = -1;
    for (int r = 0; r < runs; ++r) {
        const double start = ProcessorSeconds();
        job();
        const double spent = ProcessorSeconds() - start;
        if (best < 0 || spent < best)
            best = spent;
    }
    return best;
}

bool Check(const quillform::CutFileResult& result) {
    if (!result.ok)
        std::fprintf(stderr, "%s\n", result.error.c_str());
    return result.ok;
}

void Measure(const fs::path& drawing, const fs::path& folder, bool accurate, int runs) {
    quillform::Settings settings;
    settings.distance = 0.001;
    settings.accurate = accurate;
    quillform::Drawing d;
    const double read = Best(runs, [&] { d = quillform::ReadDrawing(drawing, settings); });
    size_t parts = 0;
    for (const quillform::Layer& layer : d.layers)
        parts += layer.shapes.size();
    const fs::path out = folder / "cut.dxf";
    const double dxf =
        Best(runs, [&] { Check(quillform::WriteCutFile(quillform::CutDxf(d), out, {})); });
    const double svg = Best(runs, [&] { quillform::CutSvg(d); });
    const double geojson = Best(runs, [&] { quillform::CutGeoJson(d); });
    const fs::path split = folder / "parts";
    fs::create_directories(split);
    const double files = Best(1, [&] { Check(quillform::WritePartFiles(d, split, {drawing})); });
    std::printf("%-8s %6zu %7.3f %7.3f %6.2f %9ld %7.3f %7.3f %9.3f\n",
                accurate ? "accurate" : "literal", parts, read, dxf, dxf / read,
                static_cast<long>(fs::file_size(out) / 1024), svg, geojson, files);
    fs::remove_all(split);
}
} // namespace

int main(int argc, char** argv) {
    int parts = 10000, runs = 3;
    fs::path folder = fs::temp_directory_path();
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--parts"))
            parts = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--runs"))
            runs = std::max(1, std::atoi(argv[i + 1]));
        else if (!std::strcmp(argv[i], "--dir"))
            folder = argv[i + 1];
    }
    folder /= "quillform-cut-bench";
    fs::create_directories(folder);
    const fs::path drawing = folder / "sheet.dxf";
    if (!WriteDrawing("sheet", parts, 1, drawing.string())) {
        std::fprintf(stderr, "cannot write %s\n", drawing.c_str());
        return 1;
    }
    std::printf("load average at start: %.2f\n", LoadAverage());
    std::printf("processor seconds, best of %d (part files: one run); sheet of %d parts, %ld KB\n",
                runs, parts, static_cast<long>(fs::file_size(drawing) / 1024));
    std::printf("%-8s %6s %7s %7s %6s %9s %7s %7s %9s\n", "mode", "parts", "read", "dxf", "ratio",
                "dxf KB", "svg", "geojson", "files");
    for (bool accurate : {false, true})
        Measure(drawing, folder, accurate, runs);
    std::printf("load average at end: %.2f\n", LoadAverage());
    fs::remove_all(folder);
    return 0;
}
