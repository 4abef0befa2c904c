// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "options.h"

#include <CLI/CLI.hpp>

// The options of the files to cut from: --split-parts, --origin and
// --keep-layers (the formats are among --format's).
void AddCutOptions(CLI::App& app, Options& options);

// After parsing: -1 when the options go together, else kBadUsage with the
// reason printed. --split-parts means --format dxf.
int CheckCutOptions(Options& options);

// Whether the run writes files to cut from.
bool CutFormat(OutputFormat format);
