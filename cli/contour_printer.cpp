// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "contour_printer.h"

#include "quillform/names.h"
#include "quillform/number_format.h"

std::wstring ContourLine(const quillform::Contour& contour) {
    std::wstring line = quillform::WidenName(contour.layerBytes.c_str()) + L": " +
                        quillform::FormatInt(static_cast<long long>(contour.vertices.size())) +
                        L" vertices:";
    const wchar_t* separator = L" ";
    for (const quillform::Vertex& v : contour.vertices) {
        line += separator + quillform::FormatNumber(v.x) + L" " + quillform::FormatNumber(v.y);
        if (v.arc)
            line += L" arc " + quillform::FormatNumber(v.arc->center.x) + L" " +
                    quillform::FormatNumber(v.arc->center.y) + L" " +
                    quillform::FormatNumber(v.arc->radius) + (v.arc->clockwise ? L" cw" : L" ccw");
        separator = L"; ";
    }
    return line;
}
