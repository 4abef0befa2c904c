// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "finding_marks.h"

#include <QPen>

namespace {
constexpr int kRing = 7;             // radius of a finding's ring, in pixels
constexpr int kHighlightedRing = 14; // of the one selected
} // namespace

QColor FindingColor(quillform::Severity severity) {
    switch (severity) {
    case quillform::Severity::Error:
        return QColor(220, 0, 0);
    case quillform::Severity::Warning:
        return QColor(255, 140, 0);
    default:
        return QColor(128, 128, 128);
    }
}

void PaintFindings(QPainter& painter, const quillform::Drawing& drawing,
                   const TDrawingLayout& layout, int highlighted) {
    if (drawing.findings.empty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    for (size_t k = 0; k < drawing.findings.size(); ++k) {
        const quillform::Finding& f = drawing.findings[k];
        const bool selected = static_cast<int>(k) == highlighted;
        painter.setPen(QPen(FindingColor(f.severity), selected ? 3 : 2));
        const int r = selected ? kHighlightedRing : kRing;
        painter.drawEllipse(MapPoint(f.location.x, f.location.y, layout), r, r);
    }
    painter.restore();
}
