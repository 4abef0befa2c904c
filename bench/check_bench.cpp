// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// quillform-check-bench [--runs N] [--dir DIR]: what the preflight check
// adds to a read. For the sheets of 1 000 and 10 000 parts and the hard
// cases at two sizes (coincident lines, a long outline, one plate with many
// holes) it times ReadDrawing, then Check with a thickness and a kerf, and
// prints the best of N runs of each (processor seconds: the machine is
// shared, the minimum is the least disturbed) and their ratio. A check that
// grows as n log n keeps the ratio between the two sizes of a case near
// their size ratio.
#include "bench_clock.h"
#include "sheet_writer.h"

#include "quillform/check.h"
#include "quillform/drawing.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
using namespace quillform::bench;

struct Timing {
    double read = 1e300, check = 1e300;
    size_t findings = 0;
};

Timing Time(const std::string& path, bool accurate, int runs) {
    quillform::Settings settings;
    settings.distance = 0.001;
    settings.accurate = accurate;
    quillform::CheckOptions limits;
    limits.thickness = 1;
    limits.kerf = 0.2;
    Timing best;
    for (int r = 0; r < runs; ++r) {
        const double start = ProcessorSeconds();
        const quillform::Drawing drawing = quillform::ReadDrawing(path, settings);
        const double read = ProcessorSeconds();
        best.findings = quillform::Check(drawing, limits).size();
        const double checked = ProcessorSeconds();
        best.read = std::min(best.read, read - start);
        best.check = std::min(best.check, checked - read);
    }
    return best;
}

struct Case {
    const char* kind;
    int32_t n;
};
} // namespace

int main(int argc, char** argv) {
    const auto [runs, dir] = ParseRunsAndFolder(argc, argv, 3);
    std::printf("load average at start: %.2f\n", LoadAverage());
    std::printf("processor seconds, best of %d: ReadDrawing, then Check (thickness 1, kerf 0.2)\n",
                runs);
    std::printf("%-10s %7s %-8s %7s %7s %8s %8s\n", "drawing", "n", "mode", "read", "check",
                "ratio", "findings");
    const Case cases[] = {{"sheet", 1000},       {"sheet", 10000},    {"coincident", 2000},
                          {"coincident", 20000}, {"polyline", 10000}, {"polyline", 100000},
                          {"holes", 400},        {"holes", 4000}};
    for (const Case& c : cases) {
        const std::string path =
            dir + "/quillform-check-" + c.kind + "-" + std::to_string(c.n) + ".dxf";
        if (!WriteDrawing(c.kind, c.n, 1, path)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        for (const bool accurate : {false, true}) {
            const Timing t = Time(path, accurate, runs);
            std::printf("%-10s %7d %-8s %7.3f %7.3f %8.2f %8zu\n", c.kind, c.n,
                        accurate ? "accurate" : "literal", t.read, t.check,
                        (t.read + t.check) / t.read, t.findings);
            std::fflush(stdout);
        }
        std::remove(path.c_str());
    }
    std::printf("load average at end: %.2f\n", LoadAverage());
    return 0;
}
