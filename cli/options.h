// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "standard_input.h"

#include "quillform/check.h"
#include "quillform/settings.h"

#include <cstdint>
#include <string>
#include <vector>

enum ExitStatus {
    kSuccess = 0,
    kCannotOpen = 1,
    kBadUsage = 2,
    kOpenContour = 3,
    kCheckFailed = 5
};

// CutDxf, CutSvg and GeoJson are the parts as files to cut from.
enum class OutputFormat { Text, Json, Jsonl, Png, Svg, Csv, CutDxf, CutSvg, GeoJson };

// JSON and JSON lines carry the warnings and diagnostics in the documents.
inline bool IsJson(OutputFormat format) {
    return format == OutputFormat::Json || format == OutputFormat::Jsonl;
}

struct Options {
    std::vector<std::string> files;
    quillform::Settings settings; // what every read is told
    bool log = false;
    bool contours = false;
    bool quiet = false;
    bool measures = false; // the figures of the parts instead of the listing
    std::string output;    // empty: standard output
    OutputFormat format = OutputFormat::Text;
    int pictureWidth = 800; // --size, for png and svg
    int pictureHeight = 600;
    bool showIndex = true;
    std::string outputUnits; // empty: the drawing's own unit
    int jobs = 1;            // files read at once, by worker processes
    std::string splitParts;  // --split-parts: the folder of one DXF per part
    bool keepLayers = false; // cut DXF: source layer names with the role
    bool origin = false;     // part files: each part's box starts at (0, 0)
    int64_t stdinLimit = kDefaultStandardInputLimit;
    // --check: the limits as typed (a length may carry mm or in, so it is
    // read against each drawing's unit); empty when not given.
    bool check = false;
    std::string thickness, minHole, minWeb, sheet, kerf;
    quillform::Severity failOn = quillform::Severity::Error;
};

// Parses the command line. Returns -1 to go on, or the exit status when the
// program should stop at once (help printed, or bad usage reported).
int ParseCommandLine(int argc, char** argv, Options& options);
