// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "measure/arc_edge.h"

#include "quillform/drawing.h"
#include "quillform/geometry_constants.h"

#include <cmath>

namespace quillform {

// Summed relative to the first vertex: far from the drawing's origin the
// terms stay of the outline's own size, and so do their rounding errors.
double EnclosedArea(const Outline& outline) {
    if (outline.kind == OutlineKind::Circle)
        return kPi * outline.circle.radius * outline.circle.radius;
    const auto& v = outline.vertices;
    if (v.empty())
        return 0;
    const Point origin{v[0].x, v[0].y};
    double twice = 0;
    for (size_t k = 0; k < v.size(); ++k)
        twice += detail::TwiceArea(v[k], v[(k + 1) % v.size()], origin);
    return std::fabs(twice) / 2;
}

double MaterialArea(const Shape& shape) {
    double area = EnclosedArea(shape);
    for (const Outline& hole : shape.holes)
        area -= EnclosedArea(hole);
    return area;
}

} // namespace quillform
