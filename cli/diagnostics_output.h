// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "options.h"

#include "quillform/drawing.h"

#include <string>

// On standard error, for text output: one line per chain that did not
// close (its layer, edges, loose ends and gap), one per pair of loose ends
// of different chains that lie close together, one summary of the content
// the read did not use, and the unit lengths are written in when
// --output-units converted them.
void PrintDiagnostics(const quillform::Drawing& drawing, const Options& options);

// "12 TEXT, 3 HATCH, 2 SPLINE (--accurate would use them)": the unused
// content of a read in one line; empty when there is none.
std::string IgnoredSummary(const quillform::Drawing& drawing);
