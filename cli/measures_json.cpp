// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "measures_json.h"

#include "json_output.h"

using json = nlohmann::ordered_json;

namespace {
json Rectangle(const quillform::Rectangle& r) {
    return {{"width", r.width}, {"height", r.height}, {"angle", r.angle}};
}

// Members that only figures that exist have.
void AddIfAny(json& object, const char* name, const std::optional<double>& value) {
    if (value)
        object[name] = *value;
}
} // namespace

json OutlineMeasuresJson(const quillform::OutlineMeasures& m) {
    if (!m.finite)
        return nullptr;
    json figures = {{"area", m.area},
                    {"length", m.length},
                    {"width", m.width},
                    {"height", m.height},
                    {"minRectangle", Rectangle(m.minRectangle)},
                    {"hullArea", m.hullArea}};
    AddIfAny(figures, "smallestRadius", m.smallestRadius);
    return figures;
}

json PartMeasuresJson(const quillform::PartMeasures& m) {
    if (!m.finite)
        return nullptr;
    json figures = {{"area", m.area},           {"outerArea", m.outerArea},
                    {"cutLength", m.cutLength}, {"outerLength", m.outerLength},
                    {"pierces", m.pierces},     {"width", m.width},
                    {"height", m.height},       {"minRectangle", Rectangle(m.minRectangle)},
                    {"hullArea", m.hullArea}};
    AddIfAny(figures, "smallestHole", m.smallestHole);
    AddIfAny(figures, "smallestRadius", m.smallestRadius);
    return figures;
}

json TotalsJson(const quillform::Totals& t) {
    json totals = {{"parts", t.parts},
                   {"unmeasured", t.unmeasured},
                   {"pierces", t.pierces},
                   {"cutLength", t.cutLength},
                   {"area", t.area}};
    if (t.parts > t.unmeasured)
        totals["bounds"] = BoundsJson(t.box);
    return totals;
}
