// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "diagnostics_output.h"

#include "quillform/names.h"
#include "quillform/number_format.h"

#include <cstdio>

namespace {
std::string N(double value) {
    return quillform::ToUtf8(quillform::FormatNumber(value));
}

std::string PointText(const quillform::Point& p) {
    return "(" + N(p.x) + ", " + N(p.y) + ")";
}

const quillform::Point& EndOf(const quillform::OpenChain& chain, bool atLast) {
    return atLast ? chain.last : chain.first;
}
} // namespace

std::string IgnoredSummary(const quillform::Drawing& drawing) {
    std::string line;
    for (const quillform::Ignored& content : drawing.ignored) {
        if (!line.empty())
            line += ", ";
        line += std::to_string(content.count) + " " + content.type;
        if (!content.hint.empty())
            line += " (" + content.hint + ")";
    }
    return line;
}

void PrintDiagnostics(const quillform::Drawing& drawing, const Options& options) {
    const char* file = drawing.file.c_str();
    for (const quillform::OpenChain& chain : drawing.openChains)
        std::fprintf(
            stderr, "quillform: %s: open chain on layer %s: %lld edges from %s to %s, gap %s\n",
            file, chain.layer.c_str(), static_cast<long long>(chain.edges),
            PointText(chain.first).c_str(), PointText(chain.last).c_str(), N(chain.gap).c_str());
    for (const quillform::NearMiss& miss : drawing.nearMisses) {
        const quillform::OpenChain& a = drawing.openChains[miss.chain];
        const quillform::OpenChain& b = drawing.openChains[miss.otherChain];
        std::fprintf(stderr,
                     "quillform: %s: loose ends %s (layer %s) and %s (layer %s) of two open "
                     "chains lie %s apart: a linking distance of that much would join them\n",
                     file, PointText(EndOf(a, miss.atLast)).c_str(), a.layer.c_str(),
                     PointText(EndOf(b, miss.otherAtLast)).c_str(), b.layer.c_str(),
                     N(miss.distance).c_str());
    }
    const std::string unused = IgnoredSummary(drawing);
    if (!unused.empty())
        std::fprintf(stderr, "quillform: %s: not used: %s\n", file, unused.c_str());
    if (!options.outputUnits.empty())
        std::fprintf(stderr, "quillform: %s: lengths written in %s (the drawing's unit: %s)\n",
                     file, drawing.lengths.name.c_str(), drawing.unit.name.c_str());
    else if (drawing.unit.millimetres > 0)
        std::fprintf(stderr, "quillform: %s: the drawing's unit: %s\n", file,
                     drawing.unit.name.c_str());
}
