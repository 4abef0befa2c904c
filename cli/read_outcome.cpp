// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "read_outcome.h"

#include "diagnostics_output.h"
#include "output_file.h"
#include "standard_input.h"

#include "quillform/status.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
const quillform::Warning* FindWarning(const quillform::Drawing& result, const char* code) {
    const auto found = std::find_if(result.warnings.begin(), result.warnings.end(),
                                    [&](const quillform::Warning& w) { return w.code == code; });
    return found == result.warnings.end() ? nullptr : &*found;
}

// Prints the message of a read that failed and returns its exit status;
// kSuccess when it did not fail.
int ReportFailure(const quillform::Drawing& result) {
    const char* file = result.file.c_str();
    if (result.status & stReadError) {
        const std::string why = IsStandardInput(result.file) ? StandardInputProblem() : "";
        if (why.empty())
            std::fprintf(stderr, "quillform: cannot open '%s'\n", file);
        else
            std::fprintf(stderr, "quillform: %s\n", why.c_str());
        return kCannotOpen;
    }
    if (result.status & stOutOfMemory) {
        std::fprintf(stderr, "quillform: not enough memory to read %s\n", file);
        return kCannotOpen;
    }
    if (result.status & stExpansionLimit) {
        const quillform::Warning* limit = FindWarning(result, "expansionLimit");
        std::fprintf(
            stderr,
            "quillform: %s: block inserts would produce more than %lld entities, the "
            "limit of this read; the read stopped and no shapes were built (--expansion-limit "
            "sets the limit)\n",
            file, static_cast<long long>(limit ? limit->count : 0));
        return kCannotOpen;
    }
    if (result.status & stNotDrawing) {
        std::fprintf(stderr, "quillform: %s: %s\n", file,
                     FindWarning(result, "binaryDxf") ? "binary DXF is not supported"
                                                      : "not a DXF drawing");
        return kCannotOpen;
    }
    return kSuccess;
}
bool Finite(const quillform::Bounds& box) {
    return std::isfinite(box.minX) && std::isfinite(box.minY) && std::isfinite(box.maxX) &&
           std::isfinite(box.maxY);
}

// Coordinates near the largest double give boxes that overflow to infinity.
bool Overflows(const quillform::Drawing& drawing) {
    for (const quillform::Layer& layer : drawing.layers)
        for (const quillform::Shape& shape : layer.shapes) {
            if (!Finite(shape.bounds))
                return true;
            for (const quillform::Outline& hole : shape.holes)
                if (!Finite(hole.bounds))
                    return true;
        }
    return false;
}
} // namespace

int ReportOutcome(const quillform::Drawing& result, const Options& options,
                  const std::string& unitError) {
    const int failure = ReportFailure(result);
    if (failure != kSuccess)
        return failure;
    if (!unitError.empty()) {
        std::fprintf(stderr, "quillform: %s: --output-units: %s\n", result.file.c_str(),
                     unitError.c_str());
        return kBadUsage;
    }
    const char* file = result.file.c_str();
    FlushStandardOutput(); // the messages follow what was already listed
    if (result.status & stTruncated)
        std::fprintf(stderr,
                     "quillform: %s: the file ends before its EOF marker; read as far as it "
                     "goes\n",
                     file);
    if (!options.quiet && options.format != OutputFormat::Json) {
        for (const quillform::Warning& warning : result.warnings)
            std::fprintf(stderr, "quillform: %s: %s\n", file, warning.message.c_str());
        PrintDiagnostics(result, options);
        if (Overflows(result))
            std::fprintf(stderr,
                         "quillform: %s: coordinates overflow: some bounding boxes are not "
                         "finite (INF in the listing)\n",
                         file);
    }
    if (result.status & stOpenContour) {
        std::fprintf(stderr,
                     "quillform: %s: a contour does not close; linking stopped and no shapes "
                     "were built (--open-mode 2)\n",
                     file);
        return kOpenContour;
    }
    return kSuccess;
}
