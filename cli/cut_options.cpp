// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "cut_options.h"

#include <cstdio>

namespace {
int BadUsage(const char* reason) {
    std::fprintf(stderr, "quillform: %s\n", reason);
    return kBadUsage;
}
} // namespace

void AddCutOptions(CLI::App& app, Options& options) {
    app.add_option("--split-parts", options.splitParts,
                   "Write one cut-ready DXF per part into this existing folder, named "
                   "STEM-LAYER-N.dxf (implies --format dxf)");
    app.add_flag("--origin", options.origin,
                 "With --split-parts: move each part so that its box starts at (0, 0)");
    app.add_flag("--keep-layers", options.keepLayers,
                 "With --format dxf: put contours on their source layer with the role as a "
                 "suffix (PLATE-OUTER, PLATE-INNER) instead of OUTER and INNER");
}

bool CutFormat(OutputFormat format) {
    return format == OutputFormat::CutDxf || format == OutputFormat::CutSvg ||
           format == OutputFormat::GeoJson;
}

int CheckCutOptions(Options& options) {
    if (!options.splitParts.empty()) {
        if (options.format != OutputFormat::Text && options.format != OutputFormat::CutDxf)
            return BadUsage("--split-parts writes DXF files: it goes with --format dxf only");
        if (!options.output.empty())
            return BadUsage("--split-parts names the folder of the part files: -o is not used");
        options.format = OutputFormat::CutDxf;
    }
    if (options.origin && options.splitParts.empty())
        return BadUsage("--origin moves the parts of --split-parts: give a folder with it");
    if (options.keepLayers && options.format != OutputFormat::CutDxf)
        return BadUsage("--keep-layers names the layers of --format dxf");
    if (CutFormat(options.format) && options.files.size() != 1)
        return BadUsage("--format dxf, cut-svg and geojson write the parts of one drawing");
    if (CutFormat(options.format) && options.contours)
        return BadUsage("--contours lists contours: it does not go with the cut formats");
    return -1;
}
