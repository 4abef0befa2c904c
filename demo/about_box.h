// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: product name, library version and the maker's web address.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kWebAddress = "https://www.example.com/dxf-quillform";

    explicit TAboutBox(QWidget* parent = nullptr);

    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* Description;
    QLabel* Comments;
    QPushButton* OKButton;

private:
    void CommentsClick();
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The program's icon: a plate with a hole and an island, drawn in code.
QPixmap ProgramPixmap(int width, int height);
