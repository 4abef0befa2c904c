// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/check.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the check's rules share: the drawing, the limits, and the list the
// findings go into.
namespace quillform::detail {

struct TCheckContext {
    const Drawing& drawing;
    const CheckOptions& options;
    double tolerance = 0; // two places this close are one
    std::vector<Finding> findings;

    void Add(const char* code, Severity severity, const std::string& layer,
             std::optional<int64_t> part, Point location, std::string message,
             std::optional<double> value = std::nullopt,
             std::optional<double> limit = std::nullopt) {
        findings.push_back(
            Finding{code, severity, layer, part, location, value, limit, std::move(message)});
    }
};

// A number as the messages write it: up to six significant digits.
std::string Figure(double value);
// "(x, y)"
std::string Place(Point p);
Point Middle(const Bounds& box);

// The rules, each adding its findings.
void CheckDrawingWide(TCheckContext& context); // openChain, units, entity notes
void CheckCrossings(const Layer& layer, TCheckContext& context);
void CheckDuplicatesAndIslands(const Layer& layer, TCheckContext& context);
void CheckParts(const Layer& layer, TCheckContext& context); // holes, corners, sheet
void CheckWebs(const Layer& layer, TCheckContext& context);

} // namespace quillform::detail
