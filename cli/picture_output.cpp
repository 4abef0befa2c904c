// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "picture_output.h"

#include "shape_drawing.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

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

bool WriteSvg(const FileResult& result, const TDrawingLayout& layout, const Options& options) {
    QSvgGenerator generator;
    generator.setFileName(QString::fromLocal8Bit(options.output.c_str()));
    generator.setSize(QSize(layout.width, layout.height));
    generator.setViewBox(QRect(0, 0, layout.width, layout.height));
    generator.setTitle(QString::fromLocal8Bit(result.file.c_str()));
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    PaintPicture(painter, result.shapes, layout, layout.width, layout.height, options.showIndex);
    return painter.end();
}
} // namespace

bool WritePicture(const FileResult& result, const Options& options) {
    const auto gui = StartGui();
    const TDrawingLayout layout =
        LayoutFor(result.shapes.Overall, options.pictureWidth, options.pictureHeight);
    if (options.format == OutputFormat::Svg)
        return WriteSvg(result, layout, options);
    const QImage image = RenderShapes(result.shapes, layout, options.pictureWidth,
                                      options.pictureHeight, options.showIndex);
    return !image.isNull() && image.save(QString::fromLocal8Bit(options.output.c_str()), "PNG");
}
