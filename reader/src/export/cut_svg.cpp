// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The cut SVG: the drawing's real size in mm or in, y up through a flip on
// the outer group, one path with true arcs per contour, hairlines.
#include "quillform/cut_files.h"

#include "cut_parts.h"

#include "quillform/names.h"
#include "quillform/number_format.h"
#include "quillform/outline_measures.h"

#include <cmath>

namespace quillform {
namespace {
std::string N(double value) {
    return ToUtf8(FormatNumber(value));
}

std::string XmlText(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default: // control characters have no place in XML 1.0
            escaped += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
        }
    }
    return escaped;
}

// The unit the SVG is sized in: the output unit when it is mm or in, else
// millimetres; an unknown unit is taken for millimetres.
std::string SvgUnit(const Drawing& drawing, const std::string& outputUnits, bool* assumed) {
    const std::string unit = outputUnits.empty() ? drawing.lengths.name : outputUnits;
    *assumed = outputUnits.empty() && !(drawing.lengths.millimetres > 0);
    return unit == "in" ? unit : "mm";
}

std::string PathElement(const std::string& d, const std::string& layer, size_t part) {
    return "<path data-layer=\"" + XmlText(layer) + "\" data-part=\"" + std::to_string(part) +
           "\" vector-effect=\"non-scaling-stroke\" d=\"" + d + "\"/>\n";
}

std::string OpenPath(const OpenChain& chain) {
    Outline outline;
    outline.vertices = chain.vertices; // its last vertex has no arc: no closing edge
    std::string d = SvgPath(outline);
    return d.substr(0, d.size() - 2); // without " Z"
}

std::string Groups(const detail::CutContent& content, bool openChains) {
    std::string inner = "<g id=\"inner\" stroke=\"#ff0000\">\n";
    std::string outer = "<g id=\"outer\" stroke=\"#000000\">\n";
    for (const detail::CutPart& part : content.parts) {
        for (const Outline* hole : part.holes)
            inner += PathElement(SvgPath(*hole), part.layer->name, part.number);
        if (part.outline)
            outer += PathElement(SvgPath(*part.outline), part.layer->name, part.number);
    }
    std::string groups = inner + "</g>\n" + outer + "</g>\n";
    if (openChains) {
        groups += "<g id=\"open\" stroke=\"#00a000\">\n";
        for (const OpenChain* chain : content.openChains)
            groups += "<path data-layer=\"" + XmlText(chain->layer) +
                      "\" vector-effect=\"non-scaling-stroke\" d=\"" + OpenPath(*chain) + "\"/>\n";
        groups += "</g>\n";
    }
    return groups;
}

// A tenth of a millimetre in the document's unit: a hairline where viewers
// leave out the non-scaling stroke and draw widths in the document's unit.
std::string Hairline(const std::string& unit) {
    return unit == "in" ? "0.004" : "0.1";
}

std::string Document(const detail::CutContent& content, const std::string& unit, bool openChains) {
    const Bounds& b = content.bounds;
    const double width = b.maxX - b.minX, height = b.maxY - b.minY;
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
           N(width) + unit + "\" height=\"" + N(height) + unit + "\" viewBox=\"" + N(b.minX) + " " +
           N(-b.maxY) + " " + N(width) + " " + N(height) +
           "\">\n"
           // y grows upwards in the drawing: the flip maps it into the view box.
           "<g id=\"cut\" transform=\"scale(1,-1)\" fill=\"none\" stroke-width=\"" +
           Hairline(unit) + "\" stroke-linejoin=\"round\" stroke-linecap=\"round\">\n" +
           Groups(content, openChains) + "</g>\n</svg>\n";
}
} // namespace

CutFileResult CutSvg(const Drawing& drawing, const CutFileOptions& options) {
    CutFileResult result;
    bool assumed = false;
    const std::string unit = SvgUnit(drawing, options.outputUnits, &assumed);
    detail::CutContent content;
    if (!detail::GatherParts(drawing, assumed ? std::string() : unit, options.openChains, content,
                             &result.error))
        return result;
    if (!std::isfinite(content.bounds.maxX - content.bounds.minX) ||
        !std::isfinite(content.bounds.maxY - content.bounds.minY)) {
        result.error = "the parts lie too far apart for an SVG: its size is no finite number";
        return result;
    }
    result.warnings = std::move(content.warnings);
    if (assumed)
        result.warnings.push_back(Warning{"unit-assumed",
                                          "",
                                          1,
                                          "The drawing does not say its unit: the SVG takes one "
                                          "drawing unit for one millimetre.",
                                          0,
                                          {}});
    result.text = Document(content, unit, options.openChains);
    result.ok = true;
    return result;
}

} // namespace quillform
