// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "picture_output.h"

#include "output_file.h"
#include "shape_drawing.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {
// Qt's notes about the session (no XDG_RUNTIME_DIR and the like) are noise
// for a command; real warnings still go to standard error.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg || message.startsWith("QStandardPaths:"))
        return;
    std::fprintf(stderr, "quillform: %s\n", qPrintable(message));
}

// Fonts need a GUI application; without a display the offscreen platform serves.
std::unique_ptr<QGuiApplication> StartGui() {
    if (QGuiApplication::instance())
        return nullptr;
    qInstallMessageHandler(QuietMessages);
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "quillform";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

bool SvgBytes(const FileResult& result, const TDrawingLayout& layout, const Options& options,
              QByteArray* bytes) {
    QBuffer buffer(bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(layout.width, layout.height));
    generator.setViewBox(QRect(0, 0, layout.width, layout.height));
    generator.setTitle(QString::fromLocal8Bit(result.file.c_str()));
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    PaintPicture(painter, result.shapes, layout, layout.width, layout.height, options.showIndex);
    return painter.end();
}

bool PngBytes(const FileResult& result, const TDrawingLayout& layout, const Options& options,
              QByteArray* bytes) {
    const QImage image = RenderShapes(result.shapes, layout, options.pictureWidth,
                                      options.pictureHeight, options.showIndex);
    if (image.isNull())
        return false;
    QBuffer buffer(bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG");
}
} // namespace

std::string PictureProblem(const TBoundingBox& overall, int viewWidth, int viewHeight) {
    if (!(overall.MaxX >= overall.MinX && overall.MaxY >= overall.MinY))
        return std::string(); // no shapes: an empty picture
    const double width = overall.MaxX - overall.MinX;
    const double height = overall.MaxY - overall.MinY;
    if (!std::isfinite(width) || !std::isfinite(height))
        return "the drawing's extent is not a finite number (its coordinates overflow), so it "
               "cannot be drawn";
    const TDrawingLayout layout = LayoutFor(overall, viewWidth, viewHeight);
    // A view smaller than the margins is drawn as one pixel between them.
    const int widest = std::max(viewWidth, 2 * kDrawingMargin + 1) + 1;
    const int highest = std::max(viewHeight, 2 * kDrawingMargin + 1) + 1;
    if (!(std::isfinite(layout.scale) && layout.scale > 0) || layout.width < 1 ||
        layout.height < 1 || layout.width > widest || layout.height > highest)
        return "the drawing's extent (" + std::to_string(width) + " x " + std::to_string(height) +
               " units) cannot be drawn at " + std::to_string(viewWidth) + "x" +
               std::to_string(viewHeight) + " pixels: no finite scale fits it";
    return std::string();
}

bool WritePicture(const FileResult& result, const Options& options, std::string* error) {
    const auto gui = StartGui();
    const TDrawingLayout layout =
        LayoutFor(result.shapes.Overall, options.pictureWidth, options.pictureHeight);
    QByteArray bytes;
    const bool drawn = options.format == OutputFormat::Svg
                           ? SvgBytes(result, layout, options, &bytes)
                           : PngBytes(result, layout, options, &bytes);
    if (!drawn) {
        *error = "cannot draw the picture for '" + options.output + "' (too large to create)";
        return false;
    }
    TOutputFile file(options.output);
    if (file.Open()) {
        file.Write(bytes.toStdString());
        if (file.Commit())
            return true;
    }
    *error = file.Error();
    return false;
}
