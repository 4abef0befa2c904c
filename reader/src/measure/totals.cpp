// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/measures.h"

#include <cmath>

namespace quillform {
namespace {
int64_t Measured(const Totals& t) {
    return t.parts - t.unmeasured;
}

// The box of both; `first` says that `into` holds no box yet.
void Widen(Bounds& into, const Bounds& box, bool first) {
    if (first) {
        into = box;
        return;
    }
    into = {std::fmin(into.minX, box.minX), std::fmin(into.minY, box.minY),
            std::fmax(into.maxX, box.maxX), std::fmax(into.maxY, box.maxY)};
}
} // namespace

void AddPart(Totals& totals, const PartMeasures& part) {
    const bool first = Measured(totals) == 0;
    ++totals.parts;
    if (!part.finite) {
        ++totals.unmeasured;
        return;
    }
    totals.pierces += part.pierces;
    totals.cutLength += part.cutLength;
    totals.area += part.area;
    Widen(totals.box, part.box, first);
}

void AddTotals(Totals& totals, const Totals& more) {
    const bool first = Measured(totals) == 0;
    if (Measured(more) > 0)
        Widen(totals.box, more.box, first);
    totals.parts += more.parts;
    totals.unmeasured += more.unmeasured;
    totals.pierces += more.pierces;
    totals.cutLength += more.cutLength;
    totals.area += more.area;
}

Totals TotalOf(const Layer& layer) {
    Totals totals;
    for (const Shape& shape : layer.shapes)
        AddPart(totals, MeasurePart(shape));
    return totals;
}

Totals TotalOf(const Drawing& drawing) {
    Totals totals;
    for (const Layer& layer : drawing.layers)
        AddTotals(totals, TotalOf(layer));
    return totals;
}

} // namespace quillform
