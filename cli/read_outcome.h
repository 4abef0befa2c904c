// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "options.h"

#include "quillform/drawing.h"

#include <string>

// Says on standard error what went wrong with one read, or what it had to
// mend, and gives the exit status it stands for. A failed read gets its one
// message; a truncated file a warning line whatever -q says (the listing is
// incomplete); in text output, unless -q, the report's warnings and the
// diagnostics (open chains, near misses, unused content, converted units)
// follow (JSON carries them in the document). unitError is why
// --output-units could not convert the drawing (exit status 2), or empty.
int ReportOutcome(const quillform::Drawing& drawing, const Options& options,
                  const std::string& unitError = std::string());

// "cannot open 'FILE'", "FILE: not a DXF drawing", ...: what ReportOutcome
// says of a read that failed, or empty.
std::string FailureMessage(const quillform::Drawing& drawing);
