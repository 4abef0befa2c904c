// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "options.h"

#include "quillform/drawing.h"

// --check: fills the drawing's findings with the limits of the options, read
// in the drawing's unit, and writes one line each on standard error (not
// with -q). Returns kCheckFailed when a finding is as severe as --fail-on,
// kBadUsage when a limit given in mm or in meets a drawing without a unit,
// else kSuccess.
int CheckDrawing(quillform::Drawing& drawing, const Options& options);
