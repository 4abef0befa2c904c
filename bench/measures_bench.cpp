// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// quillform-measures-bench [--runs N] [--dir DIR]: what measuring every part
// adds to a read. For each sheet (1 000, 3 000, 10 000 parts) it times
// ReadDrawing, then MeasurePart on every part and the totals of the file,
// and prints the best of N runs of each (processor seconds: the machine is
// shared, the minimum is the least disturbed) and their ratio.
#include "bench_clock.h"
#include "sheet_writer.h"

#include "quillform/drawing.h"
#include "quillform/measures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
using namespace quillform::bench;

struct Timing {
    double read = 1e300, measure = 1e300;
    quillform::Totals totals;
};

// Measures each part as a front end listing them would, and sums them.
quillform::Totals MeasureAll(const quillform::Drawing& drawing) {
    quillform::Totals totals;
    for (const quillform::Layer& layer : drawing.layers) {
        quillform::Totals sum;
        for (const quillform::Shape& shape : layer.shapes)
            quillform::AddPart(sum, quillform::MeasurePart(shape));
        quillform::AddTotals(totals, sum);
    }
    return totals;
}

Timing Time(const std::string& path, int runs) {
    quillform::Settings settings;
    settings.distance = 0.001;
    Timing best;
    for (int r = 0; r < runs; ++r) {
        const double start = ProcessorSeconds();
        const quillform::Drawing drawing = quillform::ReadDrawing(path, settings);
        const double read = ProcessorSeconds();
        best.totals = MeasureAll(drawing);
        const double measured = ProcessorSeconds();
        best.read = std::min(best.read, read - start);
        best.measure = std::min(best.measure, measured - read);
    }
    return best;
}
} // namespace

int main(int argc, char** argv) {
    const auto [runs, dir] = ParseRunsAndFolder(argc, argv, 5);
    std::printf("load average at start: %.2f\n", LoadAverage());
    std::printf("processor seconds, best of %d: ReadDrawing, then MeasurePart on every part\n",
                runs);
    std::printf("%7s %7s %8s %9s %7s %9s %12s\n", "parts", "read", "measure", "added %", "found",
                "pierces", "cut length");
    for (const int32_t n : {1000, 3000, 10000}) {
        const std::string path = dir + "/quillform-measures-sheet-" + std::to_string(n) + ".dxf";
        if (!WriteDrawing("sheet", n, 1, path)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        const Timing t = Time(path, runs);
        std::printf("%7d %7.3f %8.3f %9.1f %7lld %9lld %12.1f\n", n, t.read, t.measure,
                    100 * t.measure / t.read, static_cast<long long>(t.totals.parts),
                    static_cast<long long>(t.totals.pierces), t.totals.cutLength);
        std::fflush(stdout);
        std::remove(path.c_str());
    }
    std::printf("load average at end: %.2f\n", LoadAverage());
    return 0;
}
