// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// measure_dump [--accurate] [-d DISTANCE] FILE...: the measures of every
// part of each file as JSON (an array of documents, one per file, its layers
// and shapes in the order `quillform --format json` lists them), for the
// test that checks them against an independent implementation.
#include "measure/convex_hull.h"

#include "quillform/drawing.h"
#include "quillform/measures.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

using json = nlohmann::ordered_json;

namespace {
json Optional(const std::optional<double>& value) {
    return value ? json(*value) : json(nullptr);
}

json Rectangle(const quillform::Rectangle& r) {
    return {{"width", r.width}, {"height", r.height}, {"angle", r.angle}};
}

json Box(const quillform::Bounds& b) {
    return {{"minX", b.minX}, {"minY", b.minY}, {"maxX", b.maxX}, {"maxY", b.maxY}};
}

json Outline(const quillform::Outline& outline) {
    const quillform::OutlineMeasures m = quillform::MeasureOutline(outline);
    if (!m.finite)
        return nullptr;
    return {{"area", m.area},
            {"length", m.length},
            {"box", Box(m.box)},
            {"width", m.width},
            {"height", m.height},
            {"minRectangle", Rectangle(m.minRectangle)},
            {"hullArea", m.hullArea},
            {"smallestRadius", Optional(m.smallestRadius)},
            {"hullExact", quillform::detail::HullOf(outline).exact}};
}

json Part(const quillform::Shape& shape) {
    const quillform::PartMeasures m = quillform::MeasurePart(shape);
    json holes = json::array();
    for (const quillform::Outline& hole : shape.holes)
        holes.push_back(Outline(hole));
    json part = {{"outline", Outline(shape)}, {"holes", holes}, {"measures", nullptr}};
    if (m.finite)
        part["measures"] = {{"area", m.area},
                            {"outerArea", m.outerArea},
                            {"cutLength", m.cutLength},
                            {"outerLength", m.outerLength},
                            {"pierces", m.pierces},
                            {"width", m.width},
                            {"height", m.height},
                            {"minRectangle", Rectangle(m.minRectangle)},
                            {"hullArea", m.hullArea},
                            {"smallestHole", Optional(m.smallestHole)},
                            {"smallestRadius", Optional(m.smallestRadius)}};
    return part;
}

json Totals(const quillform::Totals& t) {
    return {{"parts", t.parts},     {"unmeasured", t.unmeasured},
            {"pierces", t.pierces}, {"cutLength", t.cutLength},
            {"area", t.area},       {"box", Box(t.box)}};
}

json Document(const std::string& file, const quillform::Settings& settings) {
    const quillform::Drawing drawing = quillform::ReadDrawing(file, settings);
    json layers = json::array();
    for (const quillform::Layer& layer : drawing.layers) {
        json shapes = json::array();
        for (const quillform::Shape& shape : layer.shapes)
            shapes.push_back(Part(shape));
        layers.push_back({{"name", layer.name},
                          {"shapes", shapes},
                          {"totals", Totals(quillform::TotalOf(layer))}});
    }
    return {{"file", file}, {"layers", layers}, {"totals", Totals(quillform::TotalOf(drawing))}};
}
} // namespace

int main(int argc, char** argv) {
    quillform::Settings settings;
    json documents = json::array();
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--accurate"))
            settings.accurate = true;
        else if (!std::strcmp(argv[i], "-d") && i + 1 < argc)
            settings.distance = std::atof(argv[++i]);
        else
            documents.push_back(Document(argv[i], settings));
    }
    std::cout << documents.dump() << '\n';
    return 0;
}
