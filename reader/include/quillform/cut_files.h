// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/drawing.h"
#include "quillform/export.h"

#include <filesystem>
#include <string>
#include <vector>

// The parts of a drawing as files for the next tool in a shop's chain:
// a cut-ready DXF (one closed polyline with bulges per contour, holes before
// their outline), one such DXF per part, an SVG for laser and vinyl software
// and GeoJSON for quoting and nesting pages.
//
// A part is a shape with its direct holes, numbered within its layer from 0
// as the listing numbers it ("SHAPE # 0"). In the DXF and the GeoJSON outer
// outlines run counter-clockwise, holes clockwise. A part with a coordinate
// that is not a finite number is left out of every output, with a warning.
namespace quillform {

struct CutFileOptions {
    // Layers of the DXF: OUTER, INNER and OPEN; with keepLayers the source
    // layer's name with the role as a suffix ("PLATE-OUTER").
    bool keepLayers = false;
    // Write the drawing's open chains (on layer OPEN in the DXF, in a group of
    // their own in the SVG; never in GeoJSON). Without it they are left out;
    // outlines that are open chains (kept as shapes by open mode 1) are never
    // written as closed contours.
    bool openChains = false;
    // The unit the files are written in ("mm", "in", ...); empty: the unit
    // the drawing's lengths are in.
    std::string outputUnits;
    // Part files: each part moved so that its box starts at (0, 0).
    bool origin = false;
    // Part files: the start of their names; empty: the drawing file's stem.
    std::string stem;
    // GeoJSON: arcs and circles become straight edges no farther than this
    // from the curve, vertices exact; 0: 0.01 mm in the output unit (0.01
    // when the unit is unknown).
    double curveTolerance = 0;
};

struct CutFileResult {
    bool ok = false;
    std::string error;                        // why nothing was made or written, when !ok
    std::vector<Warning> warnings;            // parts left out, units assumed
    std::string text;                         // the file's content (CutDxf, CutSvg, CutGeoJson)
    std::vector<std::filesystem::path> files; // the files written, in order
};

// An R2000 DXF of every part: for each, its holes (clockwise, layer INNER)
// and then its outline (counter-clockwise, layer OUTER); a circle stays a
// CIRCLE. $INSUNITS names the output unit, $EXTMIN/$EXTMAX bound what is
// written; ENTITIES holds nothing else.
QUILLFORM_EXPORT CutFileResult CutDxf(const Drawing& drawing,
                                      const CutFileOptions& options = CutFileOptions());

// An SVG whose width and height are the drawing's real size in mm or in
// (other units are converted to mm; an unknown unit is taken as mm, with a
// warning), y pointing up, one path with true arcs per contour, hairline
// strokes without fill, inner contours (group "inner") before outer ones
// (group "outer").
QUILLFORM_EXPORT CutFileResult CutSvg(const Drawing& drawing,
                                      const CutFileOptions& options = CutFileOptions());

// A GeoJSON FeatureCollection with one Feature per part: a Polygon of its
// outline and holes, arcs as points, properties "layer" and "part".
// Coordinates are in the output unit (the member "units" names it), in no
// geographic reference system.
QUILLFORM_EXPORT CutFileResult CutGeoJson(const Drawing& drawing,
                                          const CutFileOptions& options = CutFileOptions());

// Writes made.text to the file through a temporary file renamed into place,
// so that no partial file is ever left; refuses to replace any of the input
// files (compared by identity, so links to them are refused too).
QUILLFORM_EXPORT CutFileResult WriteCutFile(const CutFileResult& made,
                                            const std::filesystem::path& file,
                                            const std::vector<std::filesystem::path>& inputs);

// One cut-ready DXF per part in an existing folder, named STEM-LAYER-N.dxf
// (N as in the listing; names made safe for file systems, clashes resolved
// by a further suffix). All or nothing: every file is made as a temporary
// file first, and none is renamed into place unless all were written; a
// missing or unwritable folder, or a name that would replace an input, is an
// error.
QUILLFORM_EXPORT CutFileResult WritePartFiles(const Drawing& drawing,
                                              const std::filesystem::path& folder,
                                              const std::vector<std::filesystem::path>& inputs,
                                              const CutFileOptions& options = CutFileOptions());

} // namespace quillform
