// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "measures_page.h"

#include "quillform/measures.h"

#include <QHeaderView>
#include <QLocale>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace {
enum Column {
    cLayer,
    cPart,
    cWidth,
    cHeight,
    cArea,
    cCutLength,
    cPierces,
    cRectWidth,
    cRectHeight,
    cRectAngle,
    cSmallestHole,
    cColumns
};

QString Number(double value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value == 0 ? 0.0 : value, 'g', 10);
}

QString Number(const std::optional<double>& value) {
    return value ? Number(*value) : QString();
}

// "Width (mm)", or "Width" when the drawing does not say its unit.
QStringList Headers(const quillform::Unit& unit) {
    const bool known = unit.millimetres > 0;
    const QString length = known ? " (" + QString::fromStdString(unit.name) + ")" : QString();
    const QString area = known ? " (" + QString::fromStdString(unit.name) + "\u00b2)" : QString();
    return {"Layer",
            "Part",
            "Width" + length,
            "Height" + length,
            "Area" + area,
            "Cut length" + length,
            "Pierces",
            "Rectangle width" + length,
            "Rectangle height" + length,
            "Rectangle angle (\u00b0)",
            "Smallest hole" + length};
}

QStringList PartCells(const quillform::PartMeasures& m) {
    if (!m.finite)
        return QStringList(cColumns - cWidth);
    return {Number(m.width),
            Number(m.height),
            Number(m.area),
            Number(m.cutLength),
            QString::number(m.pierces),
            Number(m.minRectangle.width),
            Number(m.minRectangle.height),
            Number(m.minRectangle.angle),
            Number(m.smallestHole)};
}

QStringList TotalCells(const quillform::Totals& t, const std::optional<double>& smallestHole) {
    const bool boxed = t.parts > t.unmeasured;
    return {"Total",
            QString::number(t.parts),
            boxed ? Number(t.box.maxX - t.box.minX) : QString(),
            boxed ? Number(t.box.maxY - t.box.minY) : QString(),
            Number(t.area),
            Number(t.cutLength),
            QString::number(t.pierces),
            QString(),
            QString(),
            QString(),
            Number(smallestHole)};
}

void AddRow(QTableWidget* table, const QStringList& cells, bool bold) {
    const int row = table->rowCount();
    table->insertRow(row);
    for (int c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(cells.at(c));
        item->setTextAlignment(c == cLayer ? Qt::AlignLeft | Qt::AlignVCenter
                                           : Qt::AlignRight | Qt::AlignVCenter);
        QFont font = item->font();
        font.setBold(bold);
        item->setFont(font);
        table->setItem(row, c, item);
    }
}

QString TotalText(const quillform::Totals& t, const quillform::Unit& unit) {
    const QString length = unit.millimetres > 0 ? " " + QString::fromStdString(unit.name) : "";
    const QString area = length.isEmpty() ? length : length + "\u00b2";
    QString text = QString("%1 %2, %3 %4, cut length %5%6, area %7%8")
                       .arg(t.parts)
                       .arg(t.parts == 1 ? "part" : "parts")
                       .arg(t.pierces)
                       .arg(t.pierces == 1 ? "pierce" : "pierces")
                       .arg(Number(t.cutLength), length, Number(t.area), area);
    if (t.unmeasured > 0)
        text += QString(" (%1 without figures)").arg(t.unmeasured);
    return text;
}
} // namespace

TMeasuresPage::TMeasuresPage(QWidget* parent) : QWidget(parent) {
    setObjectName("tsMeasures");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    tbMeasures = new QTableWidget(0, cColumns, this);
    tbMeasures->setObjectName("tbMeasures");
    tbMeasures->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tbMeasures->verticalHeader()->hide();
    tbMeasures->setHorizontalHeaderLabels(Headers(quillform::Unit()));
    layout->addWidget(tbMeasures);
}

void TMeasuresPage::Clear() {
    tbMeasures->setRowCount(0);
    FTotalLine.clear();
}

void TMeasuresPage::Show(const quillform::Drawing& drawing) {
    Clear();
    tbMeasures->setHorizontalHeaderLabels(Headers(drawing.lengths));
    quillform::Totals totals;
    std::optional<double> smallestHole;
    for (const quillform::Layer& layer : drawing.layers)
        for (size_t k = 0; k < layer.shapes.size(); ++k) {
            const quillform::PartMeasures m = quillform::MeasurePart(layer.shapes[k]);
            quillform::AddPart(totals, m);
            if (m.smallestHole)
                smallestHole = std::min(smallestHole.value_or(*m.smallestHole), *m.smallestHole);
            AddRow(tbMeasures,
                   QStringList{QString::fromStdString(layer.name), QString::number(k)} +
                       PartCells(m),
                   false);
        }
    AddRow(tbMeasures, TotalCells(totals, smallestHole), true);
    tbMeasures->resizeColumnsToContents();
    FTotalLine = TotalText(totals, drawing.lengths);
}
