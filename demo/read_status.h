// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/drawing.h"

#include <QString>

// What the window tells of a read besides its parts: why it failed or is
// incomplete (a message box), a short form for the status bar, and the
// read's warnings. The sentences are the reader's own where it has them.

// "FILE:", a line break and the reason, for a read that failed or stopped short (missing,
// unreadable, not a drawing, binary, out of memory, expansion limit,
// truncated, no shapes built); empty for a read that went to the end.
QString ReadProblem(const quillform::Drawing& drawing, const QString& fileName);

// "Read: 3 parts, 2 warnings", "Truncated: 1 part", "Not read: binary DXF", ...
QString ReadStatusLine(const quillform::Drawing& drawing);

// The read's warnings, one sentence a line; empty when there are none.
QString WarningLines(const quillform::Drawing& drawing);
