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
#include <string>
#include <utility>

namespace {
const quillform::Warning* FindWarning(const quillform::Drawing& result, const char* code) {
    const auto found = std::find_if(result.warnings.begin(), result.warnings.end(),
                                    [&](const quillform::Warning& w) { return w.code == code; });
    return found == result.warnings.end() ? nullptr : &*found;
}

// The message of a read that failed, with its exit status; empty and
// kSuccess when it did not fail.
std::pair<std::string, int> Failure(const quillform::Drawing& result) {
    const std::string& file = result.file;
    if (result.status & stReadError) {
        const std::string why = IsStandardInput(file) ? StandardInputProblem() : "";
        return {why.empty() ? "cannot open '" + file + "'" : why, kCannotOpen};
    }
    if (result.status & stOutOfMemory)
        return {"not enough memory to read " + file, kCannotOpen};
    if (result.status & stExpansionLimit) {
        const quillform::Warning* limit = FindWarning(result, "expansionLimit");
        return {file + ": block inserts would produce more than " +
                    std::to_string(static_cast<long long>(limit ? limit->count : 0)) +
                    " entities, the limit of this read; the read stopped and no shapes were "
                    "built (--expansion-limit sets the limit)",
                kCannotOpen};
    }
    if (result.status & stNotDrawing)
        return {file + ": " +
                    (FindWarning(result, "binaryDxf") ? "binary DXF is not supported"
                                                      : "not a DXF drawing"),
                kCannotOpen};
    return {std::string(), kSuccess};
}

// Prints the message of a read that failed and returns its exit status;
// kSuccess when it did not fail.
int ReportFailure(const quillform::Drawing& result) {
    const auto [message, status] = Failure(result);
    if (status != kSuccess)
        std::fprintf(stderr, "quillform: %s\n", message.c_str());
    return status;
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

std::string FailureMessage(const quillform::Drawing& drawing) {
    return Failure(drawing).first;
}

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
    if (!options.quiet && !IsJson(options.format)) {
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
