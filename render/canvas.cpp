// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "canvas.h"

#include <QFontMetrics>

#include <cmath>

namespace {
// Angle of (x, y) about the centre in y-down coordinates, in degrees.
double RayAngle(double cx, double cy, int x, int y) {
    return std::atan2(y - cy, x - cx) * 180 / M_PI;
}

// Span from a to b going towards growing angles, in (0, 360].
double ForwardSpan(double a, double b) {
    double span = std::fmod(b - a, 360.0);
    if (span <= 0)
        span += 360;
    return span;
}
} // namespace

TCanvas::TCanvas(QPainter& painter) : painter_(painter), pen_(Qt::black, 1) {
    pen_.setCapStyle(Qt::FlatCap);
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

void TCanvas::SetPenColor(const QColor& color) {
    pen_.setColor(color);
}
void TCanvas::SetPenWidth(int width) {
    pen_.setWidth(width);
}
void TCanvas::SetBrushColor(const QColor& color) {
    brush_ = color;
}

void TCanvas::SetFontSize(int points) {
    font_.setPointSize(points);
    painter_.setFont(font_);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    painter_.setPen(pen_);
    painter_.setBrush(brush_);
    const QRect rect = QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)).normalized();
    painter_.drawRect(rect.adjusted(0, 0, -1, -1));
}

void TCanvas::MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void TCanvas::LineTo(int x, int y) {
    painter_.setPen(pen_);
    painter_.drawLine(x_, y_, x, y);
    MoveTo(x, y);
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    const QRectF box = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
    const QPointF centre = box.center();
    // Screen angles, counter-clockwise as seen: y grows downwards on the canvas.
    const double start = -RayAngle(centre.x(), centre.y(), x3, y3);
    const double end = -RayAngle(centre.x(), centre.y(), x4, y4);
    const double span = start == end ? 360
                                     : (direction_ == CounterClockwise ? ForwardSpan(start, end)
                                                                       : -ForwardSpan(end, start));
    painter_.setPen(pen_);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawArc(box, static_cast<int>(std::lround(start * 16)),
                     static_cast<int>(std::lround(span * 16)));
}

void TCanvas::TextOut(int x, int y, const QString& text) {
    const QFontMetrics metrics(font_, painter_.device());
    const QRect area(x, y, metrics.horizontalAdvance(text), metrics.height());
    painter_.fillRect(area, brush_);
    painter_.setPen(Qt::black);
    painter_.setFont(font_);
    painter_.drawText(area, Qt::AlignLeft | Qt::AlignTop, text);
}

int TCanvas::TextWidth(const QString& text) const {
    return QFontMetrics(font_, painter_.device()).horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString& /*text*/) const {
    return QFontMetrics(font_, painter_.device()).height();
}
