// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "canvas.h"

#include "quillform/result_copy.h"

#include <QImage>

// Margin around the shapes on every side of the picture, in pixels.
constexpr int kDrawingMargin = 20;

// How the shapes of one read map onto a picture shown in a view of a given
// size: the scale and the bitmap's size.
struct TDrawingLayout {
    double originX = 0;
    double originY = 0;
    double scale = 1;
    int width = 0;  // bitmap width: trunc(scale * box width) + 40
    int height = 0; // bitmap height: trunc(scale * box height) + 40
    bool empty = true;
};

// Fits the overall box into the view less the margins. A box without width
// or height is scaled by its other side alone (by 1 when it is a point), and
// a view smaller than the margins is treated as one pixel wide or high, so
// the scale is always finite and positive.
TDrawingLayout LayoutFor(const TBoundingBox& overall, int viewWidth, int viewHeight);

// Pixel of a drawing point: x grows right, y is flipped so that it grows up.
QPoint MapPoint(double x, double y, const TDrawingLayout& layout);

// The colour of each kind of line in a picture.
extern const QColor kShapeColor; // outer shapes: black
extern const QColor kHoleColor;  // holes: red
extern const QColor
    kOpenChainColor; // chains that did not close: blue, with a square at each loose end

// The box a picture of the drawing must show: every shape and every open
// chain; the empty box when there is nothing.
TBoundingBox PictureBox(const quillform::Drawing& drawing);

// Clears width x height with white and draws every shape in black and every
// hole in red, labelled with their indices when showIndex is set, and every
// chain that did not close in its own colour with its loose ends marked.
void PaintShapes(TCanvas& canvas, const quillform::Drawing& drawing, const TDrawingLayout& layout,
                 int clearWidth, int clearHeight, bool showIndex);

void DrawShape(TCanvas& canvas, const quillform::Outline& outline, const TDrawingLayout& layout,
               const QColor& color, int label, bool showIndex);

// The whole picture on any paint device (bitmap, SVG), in the 6-point label font.
void PaintPicture(QPainter& painter, const quillform::Drawing& drawing,
                  const TDrawingLayout& layout, int clearWidth, int clearHeight, bool showIndex);

// The whole picture as a bitmap of the layout's size; a null image when it
// cannot be created (too large).
QImage RenderShapes(const quillform::Drawing& drawing, const TDrawingLayout& layout, int clearWidth,
                    int clearHeight, bool showIndex);
// The same for the window's records of a read (shapes only).
QImage RenderShapes(const quillform::TResultCopy& results, const TDrawingLayout& layout,
                    int clearWidth, int clearHeight, bool showIndex);
