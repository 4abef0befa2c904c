// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "check_page.h"

#include "quillform/check.h"

#include <QListWidget>
#include <QVBoxLayout>

TCheckPage::TCheckPage(QWidget* parent) : QWidget(parent) {
    setObjectName("tsCheck");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    lbFindings = new QListWidget(this);
    lbFindings->setObjectName("lbFindings");
    layout->addWidget(lbFindings);
    connect(lbFindings, &QListWidget::currentRowChanged, this, [this](int row) {
        if (OnSelect)
            OnSelect(row);
    });
}

void TCheckPage::Show(const std::vector<quillform::Finding>& findings) {
    lbFindings->clear();
    for (const quillform::Finding& f : findings)
        lbFindings->addItem(FindingLine(f));
}

QString FindingLine(const quillform::Finding& f) {
    QString line =
        QString(quillform::SeverityName(f.severity)) + " " + QString::fromStdString(f.code);
    if (!f.layer.empty())
        line += " on layer " + QString::fromStdString(f.layer);
    if (f.part)
        line += " part " + QString::number(*f.part);
    return line + " at (" + QString::number(f.location.x) + ", " + QString::number(f.location.y) +
           "): " + QString::fromStdString(f.message);
}
