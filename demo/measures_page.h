// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/drawing.h"

#include <QWidget>

class QTableWidget;

// The "Measures" page: one row per part of the drawing (layer, part number
// as in the listing, width, height, net area, cut length, pierces, the
// smallest rectangle, the smallest hole) and a totals row, lengths in the
// drawing's unit (named in the headers when the drawing says it), numbers
// in the locale's format with 10 significant digits.
class TMeasuresPage : public QWidget {
    Q_OBJECT
public:
    explicit TMeasuresPage(QWidget* parent = nullptr);

    // Fills the table with the drawing's parts; Clear() empties it.
    void Show(const quillform::Drawing& drawing);
    void Clear();
    // The totals in one line, for the status bar: parts, pierces, cut
    // length, net area; empty before a drawing is shown.
    QString TotalLine() const { return FTotalLine; }

    QTableWidget* tbMeasures;

private:
    QString FTotalLine;
};
