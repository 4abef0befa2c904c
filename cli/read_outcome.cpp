// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "read_outcome.h"

#include "output_file.h"

#include "quillform/status.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
const TReadWarning* FindWarning(const FileResult& result, const char* code) {
    const auto found = std::find_if(result.warnings.begin(), result.warnings.end(),
                                    [&](const TReadWarning& w) { return w.code == code; });
    return found == result.warnings.end() ? nullptr : &*found;
}

// Prints the message of a read that failed and returns its exit status;
// kSuccess when it did not fail.
int ReportFailure(const FileResult& result) {
    const char* file = result.file.c_str();
    if (result.status & stReadError) {
        std::fprintf(stderr, "quillform: cannot open '%s'\n", file);
        return kCannotOpen;
    }
    if (result.status & stOutOfMemory) {
        std::fprintf(stderr, "quillform: not enough memory to read %s\n", file);
        return kCannotOpen;
    }
    if (result.status & stExpansionLimit) {
        const TReadWarning* limit = FindWarning(result, "expansionLimit");
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
bool Finite(const TBoundingBox& box) {
    return std::isfinite(box.MinX) && std::isfinite(box.MinY) && std::isfinite(box.MaxX) &&
           std::isfinite(box.MaxY);
}

// Coordinates near the largest double give boxes that overflow to infinity.
bool Overflows(const TResultCopy& shapes) {
    for (int32_t i = 0; i < shapes.LayerCount; ++i) {
        const TFixedSizeLayer& layer = shapes.Layers[i];
        for (int32_t j = 0; j < layer.ShapeCount; ++j) {
            const TShapeWithHoles& shape = layer.Shapes[j];
            if (!Finite(shape.Bounds))
                return true;
            for (int32_t h = 0; h < shape.HoleCount; ++h)
                if (!Finite(shape.Holes[h].Bounds))
                    return true;
        }
    }
    return false;
}
} // namespace

int ReportOutcome(const FileResult& result, const Options& options) {
    const int failure = ReportFailure(result);
    if (failure != kSuccess)
        return failure;
    const char* file = result.file.c_str();
    FlushStandardOutput(); // the messages follow what was already listed
    if (result.status & stTruncated)
        std::fprintf(stderr,
                     "quillform: %s: the file ends before its EOF marker; read as far as it "
                     "goes\n",
                     file);
    if (!options.quiet && options.format != OutputFormat::Json) {
        for (const TReadWarning& warning : result.warnings)
            std::fprintf(stderr, "quillform: %s: %s\n", file, WarningText(warning).c_str());
        if (Overflows(result.shapes))
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
