// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/drawing.h"
#include "quillform/units.h"

#include <algorithm>

namespace quillform {
namespace {
struct TScaler {
    double factor;

    void operator()(double& length) const { length *= factor; }
    void operator()(Point& p) const {
        (*this)(p.x);
        (*this)(p.y);
    }
    void operator()(Bounds& b) const {
        (*this)(b.minX);
        (*this)(b.minY);
        (*this)(b.maxX);
        (*this)(b.maxY);
    }
    void operator()(Vertex& v) const {
        (*this)(v.x);
        (*this)(v.y);
        if (v.arc) {
            (*this)(v.arc->center);
            (*this)(v.arc->radius);
        }
    }
    void operator()(Outline& o) const {
        for (Vertex& v : o.vertices)
            (*this)(v);
        (*this)(o.circle.center);
        (*this)(o.circle.radius);
        (*this)(o.bounds);
    }
};
} // namespace

bool ConvertUnits(Drawing& drawing, const std::string& unitName, std::string* error) {
    const std::optional<quillform::Unit> target = UnitNamed(unitName);
    if (!target) {
        *error = "'" + unitName + "' is not a unit (mm, cm, m, in, ft, ...)";
        return false;
    }
    if (!(drawing.lengths.millimetres > 0)) {
        const auto unknown = std::find_if(drawing.warnings.begin(), drawing.warnings.end(),
                                          [](const Warning& w) { return w.code == "unknownUnit"; });
        *error =
            unknown != drawing.warnings.end()
                ? "unknown unit code " + unknown->detail + " ($INSUNITS), so it cannot be converted"
                : "the drawing does not say its unit ($INSUNITS), so it cannot be converted";
        return false;
    }
    const TScaler scale{drawing.lengths.millimetres / target->millimetres};
    for (Layer& layer : drawing.layers)
        for (Shape& shape : layer.shapes) {
            scale(static_cast<Outline&>(shape));
            for (Outline& hole : shape.holes)
                scale(hole);
        }
    for (OpenChain& chain : drawing.openChains) {
        for (Vertex& v : chain.vertices)
            scale(v);
        scale(chain.first);
        scale(chain.last);
        scale(chain.gap);
    }
    for (NearMiss& miss : drawing.nearMisses)
        scale(miss.distance);
    scale(drawing.bounds);
    drawing.lengths = Unit{target->code, target->name, target->millimetres};
    return true;
}
} // namespace quillform
