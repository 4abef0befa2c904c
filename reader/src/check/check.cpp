// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The preflight check: the rules run over the drawing's values, the
// findings ordered layer by layer.
#include "quillform/check.h"

#include "check/check_context.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unordered_map>

namespace quillform {
namespace detail {

std::string Figure(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string Place(Point p) {
    return "(" + Figure(p.x) + ", " + Figure(p.y) + ")";
}

Point Middle(const Bounds& box) {
    return Point{(box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2};
}

namespace {
// Drawing-wide findings first, then each layer's in the drawing's order.
void OrderByLayer(const Drawing& drawing, std::vector<Finding>& findings) {
    std::unordered_map<std::string, size_t> rank;
    for (size_t k = 0; k < drawing.layers.size(); ++k)
        rank.emplace(drawing.layers[k].name, k + 1);
    const auto rankOf = [&](const Finding& f) {
        const auto found = rank.find(f.layer);
        return f.layer.empty() || found == rank.end() ? size_t{0} : found->second;
    };
    std::stable_sort(findings.begin(), findings.end(),
                     [&](const Finding& a, const Finding& b) { return rankOf(a) < rankOf(b); });
}

double ToleranceOf(const Drawing& drawing) {
    const Bounds& b = drawing.bounds;
    const double size = std::max(b.maxX - b.minX, b.maxY - b.minY);
    return std::isfinite(size) && size > 0 ? 1e-9 * size : 1e-12;
}
} // namespace
} // namespace detail

std::vector<Finding> Check(const Drawing& drawing, const CheckOptions& options) {
    detail::TCheckContext context{drawing, options, detail::ToleranceOf(drawing), {}};
    detail::CheckDrawingWide(context);
    for (const Layer& layer : drawing.layers) {
        detail::CheckCrossings(layer, context);
        detail::CheckDuplicatesAndIslands(layer, context);
        detail::CheckParts(layer, context);
        detail::CheckWebs(layer, context);
    }
    detail::OrderByLayer(drawing, context.findings);
    return std::move(context.findings);
}

bool CheckFails(const std::vector<Finding>& findings, const CheckOptions& options) {
    return std::any_of(findings.begin(), findings.end(), [&](const Finding& f) {
        return static_cast<int>(f.severity) >= static_cast<int>(options.failOn);
    });
}

const char* SeverityName(Severity severity) {
    switch (severity) {
    case Severity::Error:
        return "error";
    case Severity::Warning:
        return "warning";
    default:
        return "info";
    }
}

std::optional<Severity> SeverityNamed(const std::string& name) {
    for (Severity s : {Severity::Info, Severity::Warning, Severity::Error})
        if (name == SeverityName(s))
            return s;
    return std::nullopt;
}

std::optional<double> LengthIn(const std::string& text, const Unit& unit) {
    double millimetres = 0; // per unit typed; 0: drawing units
    std::string number = text;
    for (const auto& [suffix, mm] : {std::pair<const char*, double>{"mm", 1}, {"in", 25.4}}) {
        const std::string s = suffix;
        if (number.size() > s.size() &&
            number.compare(number.size() - s.size(), s.size(), s) == 0) {
            millimetres = mm;
            number.resize(number.size() - s.size());
        }
    }
    char* end = nullptr;
    const double value = std::strtod(number.c_str(), &end);
    if (number.empty() || *end != '\0' || !std::isfinite(value) || value < 0)
        return std::nullopt;
    if (millimetres == 0)
        return value;
    if (!unit.Known())
        return std::nullopt;
    return value * millimetres / unit.millimetres;
}

} // namespace quillform
