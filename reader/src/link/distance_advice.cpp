// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "link/distance_advice.h"

#include "quillform/names.h"
#include "quillform/number_format.h"

#include <cmath>
#include <string>

namespace quillform::detail {

namespace {
// Share of the drawing's size past which a linking distance is surely
// meant for a drawing in other units; and what "many" short entities are.
constexpr double kLargeShare = 0.01;
constexpr int64_t kFewestShort = 3;
constexpr double kShortShare = 0.05;
// A distance that joins what rounding separates, and nothing drawn apart.
constexpr double kSuggestedShare = 1e-6;

std::string Number(double value) {
    return quillform::ToUtf8(quillform::FormatNumber(value));
}

// The largest of 1, 2 and 5 times a power of ten that is at most value.
double RoundDown(double value) {
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {5.0, 2.0, 1.0})
        if (step * power <= value)
            return step * power;
    return power;
}

struct Counts {
    int64_t entities = 0;
    int64_t shorter = 0;
};

Counts ShortEntities(const quillform::detail::TEntityLists& lists, double distance) {
    Counts counts;
    for (const TListaNode* n = lists.Segments.Head; n; n = n->Next, ++counts.entities) {
        const auto* s = static_cast<const TDXFSegment*>(n->Item);
        counts.shorter += std::hypot(s->X2 - s->X1, s->Y2 - s->Y1) < distance;
    }
    for (const TListaNode* n = lists.Arcs.Head; n; n = n->Next, ++counts.entities) {
        const auto* a = static_cast<const TDXFArc*>(n->Item);
        const bool wholeCircle = a->Sweep >= 360;
        counts.shorter +=
            !wholeCircle && std::hypot(a->EndX - a->StartX, a->EndY - a->StartY) < distance;
    }
    return counts;
}
} // namespace

void AdviseOnDistance(const quillform::detail::TEntityLists& lists, double distance,
                      double drawingSize, quillform::Diagnostics& report) {
    if (!(drawingSize > 0) || !std::isfinite(drawingSize) || !(distance > 0))
        return;
    const Counts counts = ShortEntities(lists, distance);
    const bool large = distance > kLargeShare * drawingSize;
    const bool jumps = counts.shorter >= kFewestShort &&
                       counts.shorter >= kShortShare * static_cast<double>(counts.entities);
    if (!large && !jumps)
        return;
    report.Warn("distanceTooLarge");
    quillform::Warning& warning = report.warnings.back();
    warning.value = RoundDown(kSuggestedShare * drawingSize);
    const std::string unit = report.unit.Known() ? " " + report.unit.name : " drawing units";
    warning.detail = "the linking distance " + Number(distance) + " is " +
                     (large ? "over 1% of the drawing's size (" + Number(drawingSize) + unit + ")"
                            : "longer than " + std::to_string(counts.shorter) + " of its " +
                                  std::to_string(counts.entities) + " segments and arcs");
}

} // namespace quillform::detail
