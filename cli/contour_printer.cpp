// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "contour_printer.h"

#include "quillform/names.h"
#include "quillform/number_format.h"

std::wstring ContourLine(const TDXFPolygon& contour) {
    std::wstring line =
        WidenName(contour.Layer.get()) + L": " + FormatInt(contour.Count) + L" vertices:";
    const wchar_t* separator = L" ";
    for (const TListaNode* node = contour.Head; node; node = node->Next) {
        const auto* v = static_cast<const dxf_info*>(node->Item);
        line += separator + FormatNumber(v->x) + L" " + FormatNumber(v->y);
        if (v->is_arc)
            line += L" arc " + FormatNumber(v->center_x) + L" " + FormatNumber(v->center_y) + L" " +
                    FormatNumber(v->radius) + (v->clockwise ? L" cw" : L" ccw");
        separator = L"; ";
    }
    return line;
}
