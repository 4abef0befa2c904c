// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "about_box.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>

QPixmap ProgramPixmap(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF plate(width * 0.1, height * 0.1, width * 0.8, height * 0.8);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawRoundedRect(plate, width * 0.1, height * 0.1);
    painter.setPen(QPen(Qt::red, 2));
    painter.drawEllipse(plate.center(), width * 0.18, height * 0.18);
    painter.drawEllipse(QPointF(plate.left() + width * 0.12, plate.top() + height * 0.12),
                        width * 0.05, height * 0.05);
    return pixmap;
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About");
    setFixedSize(367, 262);
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setGeometry(10, 10, 346, 198);

    ProgramIcon = new QLabel(panel);
    ProgramIcon->setGeometry(10, 10, 139, 100);
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setPixmap(ProgramPixmap(139, 100));

    ProductName = new QLabel("DXF Quillform X", panel);
    QFont bold = ProductName->font();
    bold.setBold(true);
    ProductName->setFont(bold);
    ProductName->move(158, 20);
    Version = new QLabel("Version 1.0.0.1", panel);
    Version->setGeometry(158, 49, 180, 20);
    Description = new QLabel("Closed part outlines from DXF drawings.", panel);
    Description->setGeometry(10, 138, 326, 20);

    Comments = new QLabel(kWebAddress, panel);
    Comments->setGeometry(10, 167, 326, 24);
    Comments->setWordWrap(true);
    Comments->setStyleSheet("color: blue; text-decoration: underline;");
    Comments->setCursor(Qt::PointingHandCursor);
    Comments->installEventFilter(this);

    OKButton = new QPushButton("OK", this);
    OKButton->setGeometry(137, 222, 92, 30);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::CommentsClick() {
    QDesktopServices::openUrl(QUrl(kWebAddress));
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Comments && event->type() == QEvent::MouseButtonRelease) {
        CommentsClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
