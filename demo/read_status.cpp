// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "read_status.h"

#include "quillform/status.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {
using quillform::Drawing;

const quillform::Warning* FindWarning(const Drawing& drawing, const char* code) {
    const auto found = std::find_if(drawing.warnings.begin(), drawing.warnings.end(),
                                    [&](const quillform::Warning& w) { return w.code == code; });
    return found == drawing.warnings.end() ? nullptr : &*found;
}

// The reader's sentence for a warning it left, or the given one.
QString Sentence(const Drawing& drawing, const char* code, const char* otherwise) {
    const quillform::Warning* warning = FindWarning(drawing, code);
    return warning ? QString::fromStdString(warning->message) : QString(otherwise);
}

// Why a file could not be opened, as the system says it.
QString OpenProblem(const QString& fileName) {
    std::error_code error;
    const std::filesystem::file_status status =
        std::filesystem::status(QFile::encodeName(fileName).toStdString(), error);
    const QString why = error ? QString::fromStdString(error.message())
                        : std::filesystem::is_directory(status) ? QString(std::strerror(EISDIR))
                        : !QFileInfo(fileName).isReadable()     ? QString(std::strerror(EACCES))
                                                            : QString("the file cannot be read");
    return "cannot open: " + why;
}

// A failed read's status bits in the order a reason is given for them,
// with the status bar's line for it.
struct Failure {
    int32_t bit;
    const char* statusLine;
};

const Failure kFailures[] = {
    {stReadError, "Not read: cannot open the file"},
    {stOutOfMemory, "Not read: out of memory"},
    {stExpansionLimit, "Not read: expansion limit reached"},
    {stNotDrawing, "Not read: not a DXF drawing"},
    {stBadSettings, "Not read: settings refused"},
    {stLinkingFailed, "No shapes: linking failed"},
    {stNoStartEntity, "No shapes: linking failed"},
};

const Failure* FirstFailure(int32_t status) {
    const auto found = std::find_if(std::begin(kFailures), std::end(kFailures),
                                    [status](const Failure& f) { return status & f.bit; });
    return found == std::end(kFailures) ? nullptr : found;
}

QString Reason(const Drawing& drawing, const QString& fileName, int32_t bit) {
    switch (bit) {
    case stReadError:
        return OpenProblem(fileName);
    case stOutOfMemory:
        return "not enough memory to read it";
    case stExpansionLimit:
        return Sentence(drawing, "expansionLimit",
                        "block inserts would produce too many entities; the read stopped") +
               " and no shapes were built";
    case stNotDrawing:
        return Sentence(drawing, "binaryDxf", "not a DXF drawing");
    case stBadSettings:
        return Sentence(drawing, "badSettings", "the settings were refused");
    default:
        return "linking stopped before any shape was built";
    }
}

QString Counted(qsizetype count, const char* one, const char* many) {
    return QString::number(count) + " " + (count == 1 ? one : many);
}

qsizetype PartCount(const Drawing& drawing) {
    qsizetype parts = 0;
    for (const quillform::Layer& layer : drawing.layers)
        parts += static_cast<qsizetype>(layer.shapes.size());
    return parts;
}
} // namespace

QString ReadProblem(const Drawing& drawing, const QString& fileName) {
    const Failure* failure = FirstFailure(drawing.status);
    if (!failure && !(drawing.status & stTruncated))
        return QString();
    const QString reason =
        failure ? Reason(drawing, fileName, failure->bit)
                : QString("the file ends before its EOF marker; read as far as it goes, so the "
                          "parts shown may not be all the drawing holds");
    return QDir::toNativeSeparators(fileName) + ":\n" + reason;
}

QString ReadStatusLine(const Drawing& drawing) {
    if (const Failure* failure = FirstFailure(drawing.status)) {
        const bool binary = (failure->bit == stNotDrawing) && FindWarning(drawing, "binaryDxf");
        return binary ? QString("Not read: binary DXF") : QString(failure->statusLine);
    }
    QString line = (drawing.status & stTruncated) ? "Truncated: " : "Read: ";
    line += Counted(PartCount(drawing), "part", "parts");
    if (!drawing.warnings.empty())
        line +=
            ", " + Counted(static_cast<qsizetype>(drawing.warnings.size()), "warning", "warnings");
    return line;
}

QString WarningLines(const Drawing& drawing) {
    QStringList lines;
    for (const quillform::Warning& warning : drawing.warnings)
        lines << QString::fromStdString(warning.message);
    return lines.join("\n");
}
