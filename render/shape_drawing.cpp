// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "shape_drawing.h"

#include "finding_marks.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr int kLabelPoints = 6;
const QColor kBackground(255, 255, 255);
// Half the side of the square that marks a loose end, in pixels.
constexpr int kEndMarker = 3;

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

void DrawCircle(TCanvas& canvas, const quillform::Circle& circle, const TDrawingLayout& layout,
                int label, bool showIndex) {
    const double cx = circle.center.x, cy = circle.center.y, r = circle.radius;
    const QPoint bottomLeft = MapPoint(cx - r, cy - r, layout);
    const QPoint topRight = MapPoint(cx + r, cy + r, layout);
    canvas.SetPenWidth(1);
    canvas.Arc(bottomLeft.x(), bottomLeft.y(), topRight.x(), topRight.y(), bottomLeft.x(),
               bottomLeft.y(), bottomLeft.x(), bottomLeft.y());
    if (showIndex)
        CentredLabel(canvas, bottomLeft.x() + topRight.x(), topRight.y() + bottomLeft.y(), label);
}

void DrawArcEdge(TCanvas& canvas, const quillform::ArcEdge& edge, QPoint start, QPoint end,
                 const TDrawingLayout& layout) {
    const double cx = edge.center.x, cy = edge.center.y, r = edge.radius;
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
    canvas.SetArcDirection(edge.clockwise ? TCanvas::Clockwise : TCanvas::CounterClockwise);
    canvas.Arc(bottomLeft.x(), bottomLeft.y(), topRight.x(), topRight.y(), start.x(), start.y(),
               end.x(), end.y());
}

// The edges from vertex 0 on; closed outlines return to vertex 0 at the end.
void DrawEdges(TCanvas& canvas, const std::vector<quillform::Vertex>& vertices, bool closed,
               const TDrawingLayout& layout) {
    const int n = static_cast<int>(vertices.size());
    const auto vertex = [&](int k) {
        return MapPoint(vertices[static_cast<size_t>(k)].x, vertices[static_cast<size_t>(k)].y,
                        layout);
    };
    canvas.MoveTo(vertex(0).x(), vertex(0).y());
    canvas.SetPenWidth(1);
    for (int i = 1; i <= (closed ? n : n - 1); ++i) {
        const QPoint p = vertex(i - 1), q = vertex(i % n);
        const quillform::Vertex& from = vertices[static_cast<size_t>(i - 1)];
        if (!from.arc) {
            canvas.MoveTo(p.x(), p.y());
            canvas.LineTo(q.x(), q.y());
        } else {
            DrawArcEdge(canvas, *from.arc, p, q, layout);
        }
    }
}

void DrawPolygon(TCanvas& canvas, const quillform::Outline& outline, const TDrawingLayout& layout,
                 int label, bool showIndex) {
    DrawEdges(canvas, outline.vertices, true, layout);
    if (showIndex) {
        const QPoint min = MapPoint(outline.bounds.minX, outline.bounds.minY, layout);
        const QPoint max = MapPoint(outline.bounds.maxX, outline.bounds.maxY, layout);
        CentredLabel(canvas, min.x() + max.x(), min.y() + max.y(), label);
    }
}

void MarkLooseEnd(TCanvas& canvas, const quillform::Point& end, const TDrawingLayout& layout) {
    const QPoint p = MapPoint(end.x, end.y, layout);
    canvas.SetBrushColor(kOpenChainColor);
    canvas.Rectangle(p.x() - kEndMarker, p.y() - kEndMarker, p.x() + kEndMarker + 1,
                     p.y() + kEndMarker + 1);
    canvas.SetBrushColor(kBackground);
}

void DrawOpenChain(TCanvas& canvas, const quillform::OpenChain& chain,
                   const TDrawingLayout& layout) {
    if (chain.vertices.empty())
        return;
    canvas.SetPenColor(kOpenChainColor);
    DrawEdges(canvas, chain.vertices, false, layout);
    MarkLooseEnd(canvas, chain.first, layout);
    MarkLooseEnd(canvas, chain.last, layout);
    canvas.SetPenColor(kShapeColor);
    canvas.SetArcDirection(TCanvas::CounterClockwise);
}

void Widen(TBoundingBox& box, double x, double y) {
    box.MinX = std::min(box.MinX, x);
    box.MinY = std::min(box.MinY, y);
    box.MaxX = std::max(box.MaxX, x);
    box.MaxY = std::max(box.MaxY, y);
}
} // namespace

const QColor kShapeColor(0, 0, 0);
const QColor kHoleColor(255, 0, 0);
const QColor kOpenChainColor(0, 0, 255);

TBoundingBox PictureBox(const quillform::Drawing& drawing) {
    TBoundingBox box;
    for (const quillform::Layer& layer : drawing.layers)
        for (const quillform::Shape& shape : layer.shapes) {
            Widen(box, shape.bounds.minX, shape.bounds.minY);
            Widen(box, shape.bounds.maxX, shape.bounds.maxY);
        }
    for (const quillform::OpenChain& chain : drawing.openChains)
        for (const quillform::Vertex& v : chain.vertices)
            Widen(box, v.x, v.y);
    return box;
}

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

void DrawShape(TCanvas& canvas, const quillform::Outline& outline, const TDrawingLayout& layout,
               const QColor& color, int label, bool showIndex) {
    canvas.SetPenColor(color);
    if (outline.kind == quillform::OutlineKind::Circle)
        DrawCircle(canvas, outline.circle, layout, label, showIndex);
    else if (!outline.vertices.empty())
        DrawPolygon(canvas, outline, layout, label, showIndex);
    canvas.SetPenColor(kShapeColor);
    canvas.SetArcDirection(TCanvas::CounterClockwise);
}

void PaintShapes(TCanvas& canvas, const quillform::Drawing& drawing, const TDrawingLayout& layout,
                 int clearWidth, int clearHeight, bool showIndex) {
    canvas.SetBrushColor(kBackground);
    canvas.SetPenColor(kBackground);
    canvas.SetPenWidth(1);
    canvas.Rectangle(0, 0, clearWidth, clearHeight);
    for (const quillform::Layer& layer : drawing.layers)
        for (size_t j = 0; j < layer.shapes.size(); ++j) {
            const quillform::Shape& shape = layer.shapes[j];
            DrawShape(canvas, shape, layout, kShapeColor, static_cast<int>(j), showIndex);
            for (size_t k = 0; k < shape.holes.size(); ++k)
                DrawShape(canvas, shape.holes[k], layout, kHoleColor, static_cast<int>(k),
                          showIndex);
        }
    for (const quillform::OpenChain& chain : drawing.openChains)
        DrawOpenChain(canvas, chain, layout);
}

QImage RenderShapes(const quillform::Drawing& drawing, const TDrawingLayout& layout, int clearWidth,
                    int clearHeight, bool showIndex) {
    QImage image(layout.width, layout.height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(kBackground); // the clearing below covers the view, which may be smaller
    QPainter painter(&image);
    PaintPicture(painter, drawing, layout, clearWidth, clearHeight, showIndex);
    return image;
}

QImage RenderShapes(const quillform::TResultCopy& results, const TDrawingLayout& layout,
                    int clearWidth, int clearHeight, bool showIndex) {
    quillform::Drawing drawing;
    for (int32_t i = 0; i < results.LayerCount; ++i)
        drawing.layers.push_back(quillform::ToValue(results.Layers[i]));
    return RenderShapes(drawing, layout, clearWidth, clearHeight, showIndex);
}

void PaintPicture(QPainter& painter, const quillform::Drawing& drawing,
                  const TDrawingLayout& layout, int clearWidth, int clearHeight, bool showIndex) {
    TCanvas canvas(painter);
    canvas.SetFontSize(kLabelPoints);
    PaintShapes(canvas, drawing, layout, clearWidth, clearHeight, showIndex);
    PaintFindings(painter, drawing, layout);
}
