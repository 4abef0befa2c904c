// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

inline QString Data(const char* name) {
    return QString(QUILLFORM_TEST_DATA) + "/" + name;
}

inline QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

// A window whose dialogs and message boxes answer from the test.
struct WindowFixture : testing::Test {
    TfDXFTest window;
    QString nextFile;
    QString nextSaveFile;
    QStringList messages;
    QStringList warnings;

    WindowFixture() {
        window.ChooseDxfFile = [this] { return nextFile; };
        window.ChooseSaveFile = [this] { return nextSaveFile; };
        window.ShowMessage = [this](const QString& text) { messages << text; };
        window.ShowWarning = [this](const QString& text) { warnings << text; };
        window.resize(947, 756);
        window.show();
        QApplication::processEvents();
    }

    void LoadPath(const QString& path, const QString& distance = "1") {
        window.eDXFLinkingDistance->setText(distance);
        nextFile = path;
        window.bLoad->click();
    }

    void Load(const char* file, const QString& distance = "1") { LoadPath(Data(file), distance); }
};
