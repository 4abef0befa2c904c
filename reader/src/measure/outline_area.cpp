// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "measure/arc_edge.h"

#include "model/geometry_constants.h"
#include "quillform/drawing.h"

#include <cmath>

namespace quillform {

double EnclosedArea(const Outline& outline) {
    if (outline.kind == OutlineKind::Circle)
        return detail::kPi * outline.circle.radius * outline.circle.radius;
    return std::fabs(detail::SumEdges(outline).twiceArea) / 2;
}

double MaterialArea(const Shape& shape) {
    double area = EnclosedArea(shape);
    for (const Outline& hole : shape.holes)
        area -= EnclosedArea(hole);
    return area;
}

} // namespace quillform
