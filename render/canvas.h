// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>

// A small GDI-style canvas over QPainter: a current position for MoveTo and
// LineTo, a pen and a solid brush, and Arc with an arc direction. As with
// GDI, directions are as seen on the screen: counter-clockwise runs from
// 3 o'clock towards 12 o'clock.
class TCanvas {
public:
    enum ArcDirection { CounterClockwise, Clockwise };

    explicit TCanvas(QPainter& painter);

    void SetPenColor(const QColor& color);
    void SetPenWidth(int width);
    void SetBrushColor(const QColor& color);
    void SetFontSize(int points);
    void SetArcDirection(ArcDirection direction) { direction_ = direction; }
    ArcDirection GetArcDirection() const { return direction_; }

    // Filled with the brush and outlined with the pen; right and bottom edges excluded.
    void Rectangle(int x1, int y1, int x2, int y2);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    // The part of the ellipse inscribed in (x1, y1)-(x2, y2) from the ray
    // through (x3, y3) to the ray through (x4, y4), in the current arc
    // direction; equal rays draw the whole ellipse. The position is unchanged.
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    // Text with its top-left corner at (x, y), in the default text colour over the brush.
    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;

private:
    QPainter& painter_;
    QPen pen_;
    QColor brush_ = Qt::white;
    QFont font_;
    int x_ = 0;
    int y_ = 0;
    ArcDirection direction_ = CounterClockwise;
};
