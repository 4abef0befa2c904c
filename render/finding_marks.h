// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "shape_drawing.h"

#include "quillform/drawing.h"

#include <QColor>
#include <QPainter>

// The colour a finding is marked in: errors red, warnings orange, info grey.
QColor FindingColor(quillform::Severity severity);

// A ring at each finding's place, in its severity's colour, drawn over the
// shapes; the finding `highlighted` (an index into drawing.findings, or -1)
// larger and thicker. Nothing when the drawing has no findings.
void PaintFindings(QPainter& painter, const quillform::Drawing& drawing,
                   const TDrawingLayout& layout, int highlighted = -1);
