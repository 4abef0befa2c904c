// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "shape_reading.h"

#include "entity_log_printer.h"
#include "standard_input.h"

#include <cstdlib>

std::wstring WidePath(const std::string& path) {
    std::wstring wide(path.size() + 1, L'\0');
    const size_t length = std::mbstowcs(wide.data(), path.c_str(), wide.size());
    if (length == static_cast<size_t>(-1))
        return std::wstring(path.begin(), path.end());
    wide.resize(length);
    return wide;
}

quillform::Drawing ReadShapes(const std::string& file, const Options& options,
                              std::string* unitError) {
    const quillform::EntityEvents events =
        options.log ? EntityLogPrinter() : quillform::EntityEvents();
    quillform::Drawing drawing = quillform::ReadDrawing(InputPath(file), options.settings, events);
    drawing.file = file;
    unitError->clear();
    if (!options.outputUnits.empty() && drawing.Read())
        quillform::ConvertUnits(drawing, options.outputUnits, unitError);
    return drawing;
}
