// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "check_output.h"

#include "quillform/check.h"

#include <cstdio>
#include <new>
#include <optional>
#include <string>

namespace {
// A limit as typed, in the unit of the drawing's values; empty when not given.
bool Length(const std::string& text, const quillform::Unit& unit, std::optional<double>& out,
            std::string& problem) {
    if (text.empty())
        return true;
    out = quillform::LengthIn(text, unit);
    if (!out)
        problem = "'" + text + "' needs the drawing's unit, and the drawing does not say it";
    return out.has_value();
}

bool Limits(const Options& o, const quillform::Unit& unit, quillform::CheckOptions& limits,
            std::string& problem) {
    std::optional<double> thickness, kerf, width, height;
    const size_t x = o.sheet.find('x');
    const bool ok = Length(o.thickness, unit, thickness, problem) &&
                    Length(o.minHole, unit, limits.minHole, problem) &&
                    Length(o.minWeb, unit, limits.minWeb, problem) &&
                    Length(o.kerf, unit, kerf, problem) &&
                    (o.sheet.empty() || (Length(o.sheet.substr(0, x), unit, width, problem) &&
                                         Length(o.sheet.substr(x + 1), unit, height, problem)));
    limits.thickness = thickness.value_or(0);
    limits.kerf = kerf.value_or(0);
    limits.sheetWidth = width.value_or(0);
    limits.sheetHeight = height.value_or(0);
    limits.failOn = o.failOn;
    return ok;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

// "quillform: FILE: error openChain on layer CUT at (x, y): message"
void PrintFinding(const std::string& file, const quillform::Finding& f) {
    std::string line =
        "quillform: " + file + ": " + quillform::SeverityName(f.severity) + " " + f.code;
    if (!f.layer.empty())
        line += " on layer " + f.layer;
    if (f.part)
        line += " part " + std::to_string(*f.part);
    line += " at (" + Number(f.location.x) + ", " + Number(f.location.y) + "): " + f.message;
    std::fprintf(stderr, "%s\n", line.c_str());
}
} // namespace

int CheckDrawing(quillform::Drawing& drawing, const Options& options) {
    quillform::CheckOptions limits;
    std::string problem;
    if (!Limits(options, drawing.lengths, limits, problem)) {
        std::fprintf(stderr, "quillform: %s: --check: %s\n", drawing.file.c_str(), problem.c_str());
        return kBadUsage;
    }
    try {
        drawing.findings = quillform::Check(drawing, limits);
    } catch (const std::bad_alloc&) {
        // Like a read that runs out of memory: this file fails, the batch goes on.
        std::fprintf(stderr, "quillform: not enough memory to check %s\n", drawing.file.c_str());
        return kCannotOpen;
    }
    if (!options.quiet)
        for (const quillform::Finding& f : drawing.findings)
            PrintFinding(drawing.file, f);
    return quillform::CheckFails(drawing.findings, limits) ? kCheckFailed : kSuccess;
}
