// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "options.h"

// Reads the one drawing and writes its parts as a file to cut from (--format
// dxf, cut-svg or geojson) to -o or standard output, or as one DXF per part
// into the --split-parts folder. Nothing is left half written: an error (a
// folder that is missing or cannot be written, a target that is an input)
// leaves no file and gives exit status 1. Parts left out are warned of on
// standard error unless -q.
int RunCutFiles(const Options& options);
