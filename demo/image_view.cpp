// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "image_view.h"

#include <QPainter>

TImageView::TImageView(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::CrossCursor);
    setAutoFillBackground(false);
}

void TImageView::SetPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void TImageView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(0, 0, picture_);
}
