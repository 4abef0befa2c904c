// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/settings.h"

#include <cmath>

namespace quillform {
namespace {
bool Length(double value) {
    return std::isfinite(value) && value >= 0;
}
} // namespace

const char* EngineName(Engine engine) {
    return engine == Engine::Reference ? "reference" : "fast";
}

std::optional<Engine> EngineNamed(const std::string& name) {
    if (name == "fast")
        return Engine::Fast;
    if (name == "reference")
        return Engine::Reference;
    return std::nullopt;
}

std::string SettingsProblem(const Settings& settings) {
    if (!Length(settings.distance))
        return "distance: expected a finite number >= 0";
    if (settings.openMode < 0 || settings.openMode > 2)
        return "open mode: expected 0, 1 or 2";
    if (!Length(settings.curveTolerance))
        return "curve tolerance: expected a finite number >= 0";
    if (settings.expansionLimit < 0)
        return "expansion limit: expected a number >= 0";
    for (const auto* names : {&settings.layers, &settings.excludedLayers})
        for (const std::string& name : *names)
            if (name.empty())
                return "layers: an empty name matches no layer";
    return std::string();
}

double EffectiveCurveTolerance(const Settings& settings, double unitMillimetres) {
    if (settings.curveTolerance > 0)
        return settings.curveTolerance;
    constexpr double kDefaultMillimetres = 0.01; // finer than any cutting machine holds
    return unitMillimetres > 0 ? kDefaultMillimetres / unitMillimetres : kDefaultMillimetres;
}

} // namespace quillform
