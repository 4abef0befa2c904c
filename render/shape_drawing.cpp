// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "shape_drawing.h"

#include <cmath>
#include <limits>

namespace {
constexpr int kLabelPoints = 6;
const QColor kShapeColor(0, 0, 0);
const QColor kHoleColor(255, 0, 0);
const QColor kBackground(255, 255, 255);

// Pixel offsets beyond this cannot be drawn and would overflow int.
constexpr double kLargestPixel = 1 << 28;

int Truncated(double value) {
    if (!(std::fabs(value) < kLargestPixel))
        return value < 0 ? -static_cast<int>(kLargestPixel) : static_cast<int>(kLargestPixel);
    return static_cast<int>(std::trunc(value));
}

double AxisScale(double available, double extent) {
    return extent > 0 ? std::max(available, 1.0) / extent : std::numeric_limits<double>::infinity();
}

// Label centred at (x, y), integer halves rounding toward zero.
void CentredLabel(TCanvas& canvas, int x, int y, int label) {
    const QString text = QString::number(label);
    canvas.TextOut(x / 2 - canvas.TextWidth(text) / 2, y / 2 - canvas.TextHeight(text) / 2, text);
}

void DrawCircle(TCanvas& canvas, const TCircle& circle, const TDrawingLayout& layout, int label,
                bool showIndex) {
    const double cx = circle.Center.X, cy = circle.Center.Y, r = circle.Radius;
    const QPoint bottomLeft = MapPoint(cx - r, cy - r, layout);
    const QPoint topRight = MapPoint(cx + r, cy + r, layout);
    canvas.SetPenWidth(1);
    canvas.Arc(bottomLeft.x(), bottomLeft.y(), topRight.x(), topRight.y(), bottomLeft.x(),
               bottomLeft.y(), bottomLeft.x(), bottomLeft.y());
    if (showIndex)
        CentredLabel(canvas, bottomLeft.x() + topRight.x(), topRight.y() + bottomLeft.y(), label);
}

void DrawArcEdge(TCanvas& canvas, const TArc& edge, QPoint start, QPoint end,
                 const TDrawingLayout& layout) {
    const double cx = edge.CenterX, cy = edge.CenterY, r = edge.Radius;
    const QPoint bottomLeft = MapPoint(cx - r, cy - r, layout);
    const QPoint topRight = MapPoint(cx + r, cy + r, layout);
    if (start == end) {
        // Equal rays would draw the whole circle, and rays one pixel apart either
        // side would still draw nearly all of it in one of the two directions:
        // what is left of so short an arc is the step to the diagonal neighbour.
        canvas.MoveTo(start.x() + 1, start.y() + 1);
        canvas.LineTo(end.x() - 1, end.y() - 1);
        return;
    }
    canvas.SetArcDirection(edge.Clockwise ? TCanvas::Clockwise : TCanvas::CounterClockwise);
    canvas.Arc(bottomLeft.x(), bottomLeft.y(), topRight.x(), topRight.y(), start.x(), start.y(),
               end.x(), end.y());
}

void DrawPolygon(TCanvas& canvas, const TPolygon& polygon, const TBoundingBox& bounds,
                 const TDrawingLayout& layout, int label, bool showIndex) {
    const int n = polygon.Count;
    const auto vertex = [&](int k) {
        return MapPoint(polygon.Points[k].X, polygon.Points[k].Y, layout);
    };
    canvas.MoveTo(vertex(0).x(), vertex(0).y());
    canvas.SetPenWidth(1);
    for (int i = 1; i <= n; ++i) {
        const QPoint p = vertex(i - 1), q = vertex(i % n);
        const TArc& edge = polygon.Arcs[i - 1];
        if (!edge.IsArc) {
            canvas.MoveTo(p.x(), p.y());
            canvas.LineTo(q.x(), q.y());
        } else {
            DrawArcEdge(canvas, edge, p, q, layout);
        }
    }
    if (showIndex) {
        const QPoint min = MapPoint(bounds.MinX, bounds.MinY, layout);
        const QPoint max = MapPoint(bounds.MaxX, bounds.MaxY, layout);
        CentredLabel(canvas, min.x() + max.x(), min.y() + max.y(), label);
    }
}
} // namespace

TDrawingLayout LayoutFor(const TBoundingBox& overall, int viewWidth, int viewHeight) {
    TDrawingLayout layout;
    layout.empty = !(overall.MaxX >= overall.MinX && overall.MaxY >= overall.MinY);
    if (layout.empty) {
        layout.width = std::max(viewWidth, 1);
        layout.height = std::max(viewHeight, 1);
        return layout;
    }
    const double boxWidth = overall.MaxX - overall.MinX;
    const double boxHeight = overall.MaxY - overall.MinY;
    const double sx = AxisScale(viewWidth - 2.0 * kDrawingMargin, boxWidth);
    const double sy = AxisScale(viewHeight - 2.0 * kDrawingMargin, boxHeight);
    layout.scale = sx < sy ? sx : sy;
    if (!std::isfinite(layout.scale)) // a single point
        layout.scale = 1;
    layout.originX = overall.MinX;
    layout.originY = overall.MinY;
    layout.height = Truncated(boxHeight * layout.scale) + 2 * kDrawingMargin;
    layout.width = Truncated(layout.scale * boxWidth) + 2 * kDrawingMargin;
    return layout;
}

QPoint MapPoint(double x, double y, const TDrawingLayout& layout) {
    return QPoint(kDrawingMargin + Truncated((x - layout.originX) * layout.scale),
                  layout.height -
                      (kDrawingMargin + Truncated((y - layout.originY) * layout.scale)));
}

void DrawShape(TCanvas& canvas, const TBaseShape& record, const TDrawingLayout& layout,
               const QColor& color, int label, bool showIndex) {
    canvas.SetPenColor(color);
    if (record.Kind == kShapeCircle && record.Circle)
        DrawCircle(canvas, *record.Circle, layout, label, showIndex);
    else if (record.Kind == kShapePolygon && record.Polygon && record.Polygon->Count > 0)
        DrawPolygon(canvas, *record.Polygon, record.Bounds, layout, label, showIndex);
    canvas.SetPenColor(kShapeColor);
    canvas.SetArcDirection(TCanvas::CounterClockwise);
}

void PaintShapes(TCanvas& canvas, const TResultCopy& results, const TDrawingLayout& layout,
                 int clearWidth, int clearHeight, bool showIndex) {
    canvas.SetBrushColor(kBackground);
    canvas.SetPenColor(kBackground);
    canvas.SetPenWidth(1);
    canvas.Rectangle(0, 0, clearWidth, clearHeight);
    for (int32_t i = 0; i < results.LayerCount; ++i) {
        const TFixedSizeLayer& layer = results.Layers[i];
        for (int32_t j = 0; j < layer.ShapeCount; ++j) {
            const TShapeWithHoles& shape = layer.Shapes[j];
            DrawShape(canvas, shape, layout, kShapeColor, j, showIndex);
            for (int32_t k = 0; k < shape.HoleCount; ++k)
                DrawShape(canvas, shape.Holes[k], layout, kHoleColor, k, showIndex);
        }
    }
}

QImage RenderShapes(const TResultCopy& results, const TDrawingLayout& layout, int clearWidth,
                    int clearHeight, bool showIndex) {
    QImage image(layout.width, layout.height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(kBackground); // the clearing below covers the view, which may be smaller
    QPainter painter(&image);
    PaintPicture(painter, results, layout, clearWidth, clearHeight, showIndex);
    return image;
}

void PaintPicture(QPainter& painter, const TResultCopy& results, const TDrawingLayout& layout,
                  int clearWidth, int clearHeight, bool showIndex) {
    TCanvas canvas(painter);
    canvas.SetFontSize(kLabelPoints);
    PaintShapes(canvas, results, layout, clearWidth, clearHeight, showIndex);
}
