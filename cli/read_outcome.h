// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "options.h"
#include "shape_reading.h"

// Says on standard error what went wrong with one read, or what it had to
// mend, and gives the exit status it stands for. A failed read gets its one
// message; a truncated file a warning line whatever -q says (the listing is
// incomplete); the report's warnings are printed in text output unless -q
// (JSON carries them in the document).
int ReportOutcome(const FileResult& result, const Options& options);
