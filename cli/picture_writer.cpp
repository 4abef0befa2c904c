// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The picture module: the shapes drawn with Qt, as PNG or SVG bytes.
#include "picture_module.h"
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

// Why the shapes (and open chains) inside overall cannot be drawn into a
// view of the given size (an extent that is not finite, or no finite scale
// fits it), or empty.
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

bool SvgBytes(const quillform::Drawing& result, const TDrawingLayout& layout,
              const TPictureRequest& request, QByteArray* bytes) {
    QBuffer buffer(bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(layout.width, layout.height));
    generator.setViewBox(QRect(0, 0, layout.width, layout.height));
    generator.setTitle(QString::fromLocal8Bit(request.title.c_str()));
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    PaintPicture(painter, result, layout, layout.width, layout.height, request.showIndex);
    return painter.end();
}

bool PngBytes(const quillform::Drawing& result, const TDrawingLayout& layout,
              const TPictureRequest& request, QByteArray* bytes) {
    const QImage image =
        RenderShapes(result, layout, request.width, request.height, request.showIndex);
    if (image.isNull())
        return false;
    QBuffer buffer(bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG");
}
} // namespace

extern "C" __attribute__((visibility("default"))) int
quillform_draw_picture(const quillform::Drawing& drawing, const TPictureRequest& request,
                       std::string* bytes, std::string* message) {
    const TBoundingBox box = PictureBox(drawing);
    *message = PictureProblem(box, request.width, request.height);
    if (!message->empty())
        return kPictureImpossible;
    const auto gui = StartGui();
    const TDrawingLayout layout = LayoutFor(box, request.width, request.height);
    QByteArray drawn;
    const bool made = request.svg ? SvgBytes(drawing, layout, request, &drawn)
                                  : PngBytes(drawing, layout, request, &drawn);
    if (!made)
        return kPictureTooLarge;
    *bytes = drawn.toStdString();
    return kPictureDrawn;
}

// The entry has the type the loader casts it to.
[[maybe_unused]] static constexpr TDrawPicture kEntryType = &quillform_draw_picture;
