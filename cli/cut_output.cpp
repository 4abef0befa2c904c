// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "cut_output.h"

#include "output_file.h"
#include "read_outcome.h"
#include "shape_reading.h"

#include "quillform/cut_files.h"
#include "quillform/status.h"

#include <cstdio>
#include <filesystem>
#include <vector>

namespace {
namespace fs = std::filesystem;

// The curve tolerance is given in the drawing's unit; the files are written
// in the unit the lengths were converted to.
double ToleranceWritten(const quillform::Drawing& drawing, double tolerance) {
    if (tolerance <= 0 || !drawing.unit.Known() || !drawing.lengths.Known())
        return tolerance;
    return tolerance * drawing.unit.millimetres / drawing.lengths.millimetres;
}

quillform::CutFileOptions CutOptions(const quillform::Drawing& drawing, const Options& options) {
    quillform::CutFileOptions cut;
    cut.keepLayers = options.keepLayers;
    cut.openChains = options.settings.openMode == quillform::kKeepOpenContours;
    cut.origin = options.origin;
    cut.curveTolerance = ToleranceWritten(drawing, options.settings.curveTolerance);
    if (options.files.front() == "-")
        cut.stem = "stdin";
    return cut; // the lengths are already in --output-units
}

quillform::CutFileResult Made(const quillform::Drawing& drawing, const Options& options,
                              const quillform::CutFileOptions& cut) {
    switch (options.format) {
    case OutputFormat::CutSvg:
        return quillform::CutSvg(drawing, cut);
    case OutputFormat::GeoJson:
        return quillform::CutGeoJson(drawing, cut);
    default:
        return quillform::CutDxf(drawing, cut);
    }
}

// The file, or standard output when no -o was given.
quillform::CutFileResult Written(const quillform::Drawing& drawing, const Options& options,
                                 const std::vector<fs::path>& inputs) {
    const quillform::CutFileOptions cut = CutOptions(drawing, options);
    if (!options.splitParts.empty())
        return quillform::WritePartFiles(drawing, options.splitParts, inputs, cut);
    quillform::CutFileResult made = Made(drawing, options, cut);
    if (!made.ok || options.output.empty()) {
        if (made.ok)
            WriteStandardOutput(made.text);
        return made;
    }
    quillform::CutFileResult written = quillform::WriteCutFile(made, options.output, inputs);
    written.warnings.insert(written.warnings.begin(), made.warnings.begin(), made.warnings.end());
    return written;
}
} // namespace

int RunCutFiles(const Options& options) {
    std::string unitError;
    const quillform::Drawing drawing = ReadShapes(options.files.front(), options, &unitError);
    const int status = ReportOutcome(drawing, options, unitError);
    if (status != kSuccess)
        return status;
    const std::vector<fs::path> inputs(options.files.begin(), options.files.end());
    const quillform::CutFileResult result = Written(drawing, options, inputs);
    FlushStandardOutput();
    if (!options.quiet)
        for (const quillform::Warning& warning : result.warnings)
            std::fprintf(stderr, "quillform: %s: %s\n", drawing.file.c_str(),
                         warning.message.c_str());
    if (!result.ok) {
        std::fprintf(stderr, "quillform: %s\n", result.error.c_str());
        return kCannotOpen;
    }
    return kSuccess;
}
