// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// "Save parts as DXF…": the parts of the last read as the cut-ready DXF the
// command writes with --format dxf, for the next tool in a shop's chain.
#include "main_window.h"

#include "quillform/cut_files.h"

#include <QFileDialog>
#include <QPushButton>

#include <filesystem>

void TfDXFTest::CreateSavePartsButton() {
    bSaveParts = new QPushButton(QString::fromUtf8("Save parts as DXF\u2026"), Panel1);
    bSaveParts->setObjectName("bSaveParts");
    bSaveParts->setGeometry(914, 6, 151, 35);
    connect(bSaveParts, &QPushButton::clicked, this, &TfDXFTest::bSavePartsClick);
    auto* dialog = new QFileDialog(this, "Save parts as DXF", QString(), "DXF (*.dxf)");
    dialog->setObjectName("sdPartsDialog");
    dialog->setDefaultSuffix("dxf");
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    ChoosePartsFile = [dialog] {
        return dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty()
                   ? dialog->selectedFiles().first()
                   : QString();
    };
}

namespace {
QString WarningsText(const std::vector<quillform::Warning>& warnings) {
    QString text;
    for (const quillform::Warning& warning : warnings)
        text += "\n" + QString::fromStdString(warning.message);
    return text;
}
} // namespace

void TfDXFTest::bSavePartsClick() {
    const QString fileName = ChoosePartsFile();
    if (fileName.isEmpty())
        return;
    const std::filesystem::path target(fileName.toLocal8Bit().toStdString());
    quillform::CutFileResult made = quillform::CutDxf(FDrawing);
    const quillform::CutFileResult written =
        made.ok ? quillform::WriteCutFile(made, target, {std::filesystem::path(FDrawing.file)})
                : made;
    if (!written.ok)
        ShowMessage("Cannot save the parts in \"" + fileName +
                    "\": " + QString::fromStdString(written.error));
    else if (!made.warnings.empty())
        ShowMessage("Saved \"" + fileName + "\" without some parts:" + WarningsText(made.warnings));
}
