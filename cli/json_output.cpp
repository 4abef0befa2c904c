// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "json_output.h"

#include "measures_json.h"

#include "quillform/check.h"
#include "quillform/names.h"
#include "quillform/status.h"

#include <cmath>

using json = nlohmann::ordered_json;

namespace {
json Bounds(const quillform::Bounds& box) {
    return {{"minX", box.minX}, {"minY", box.minY}, {"maxX", box.maxX}, {"maxY", box.maxY}};
}

json Vertices(const std::vector<quillform::Vertex>& list) {
    json vertices = json::array();
    for (const quillform::Vertex& v : list) {
        json vertex = {{"x", v.x}, {"y", v.y}};
        if (v.arc)
            vertex["arc"] = {{"centerX", v.arc->center.x},
                             {"centerY", v.arc->center.y},
                             {"radius", v.arc->radius},
                             {"direction", v.arc->clockwise ? "cw" : "ccw"}};
        vertices.push_back(vertex);
    }
    return vertices;
}

json Outline(const quillform::Outline& shape) {
    json outline;
    if (shape.kind == quillform::OutlineKind::Circle) {
        outline["kind"] = "circle";
        outline["circle"] = {{"centerX", shape.circle.center.x},
                             {"centerY", shape.circle.center.y},
                             {"radius", shape.circle.radius}};
    } else {
        outline["kind"] = "polygon";
        outline["vertices"] = Vertices(shape.vertices);
    }
    outline["bounds"] = Bounds(shape.bounds);
    return outline;
}

// JSON has no infinity or NaN: nlohmann writes them as null.
bool HoldsNonFinite(const json& value) {
    if (value.is_number_float())
        return !std::isfinite(value.get<double>());
    if (value.is_structured())
        for (const json& item : value)
            if (HoldsNonFinite(item))
                return true;
    return false;
}

// What the parts of a layer or file add up to, and whether one of them has
// no figures although its coordinates are finite (its figures overflow).
struct Figures {
    quillform::Totals totals;
    bool overflow = false;
};

json Shape(const quillform::Shape& shape, Figures& figures) {
    std::vector<quillform::OutlineMeasures> holeMeasures;
    const quillform::PartMeasures part = quillform::MeasurePart(shape, &holeMeasures);
    quillform::AddPart(figures.totals, part);
    json result = Outline(shape);
    result["measures"] = PartMeasuresJson(part);
    json holes = json::array();
    for (size_t h = 0; h < shape.holes.size(); ++h) {
        holes.push_back(Outline(shape.holes[h]));
        holes.back()["measures"] = OutlineMeasuresJson(holeMeasures[h]);
    }
    result["holes"] = holes;
    figures.overflow = figures.overflow || (!part.finite && !HoldsNonFinite(result));
    return result;
}

json Status(int32_t status) {
    json flags = json::array();
    const std::pair<int32_t, const char*> names[] = {
        {stReadError, "readError"},     {stNoStartEntity, "noStartEntity"},
        {stOpenContour, "openContour"}, {stLinkingFailed, "linkingFailed"},
        {stNotDrawing, "notDrawing"},   {stTruncated, "truncated"},
        {stOutOfMemory, "outOfMemory"}, {stExpansionLimit, "expansionLimit"}};
    for (const auto& [bit, name] : names)
        if (status & bit)
            flags.push_back(name);
    return {{"value", status}, {"flags", flags}};
}
json Warnings(const std::vector<quillform::Warning>& warnings) {
    json list = json::array();
    for (const quillform::Warning& warning : warnings) {
        json entry = {{"code", warning.code}};
        if (!warning.layer.empty())
            entry["layer"] = warning.layer;
        entry["count"] = warning.count;
        entry["message"] = warning.message;
        list.push_back(entry);
    }
    return list;
}

json Unit(const quillform::Unit& unit) {
    return {{"code", unit.code}, {"name", unit.name}, {"millimetres", unit.millimetres}};
}

json Point(const quillform::Point& p) {
    return {{"x", p.x}, {"y", p.y}};
}

json OpenChains(const std::vector<quillform::OpenChain>& chains) {
    json list = json::array();
    for (const quillform::OpenChain& chain : chains)
        list.push_back({{"layer", chain.layer},
                        {"edges", chain.edges},
                        {"first", Point(chain.first)},
                        {"last", Point(chain.last)},
                        {"gap", chain.gap},
                        {"vertices", Vertices(chain.vertices)}});
    return list;
}

json NearMisses(const std::vector<quillform::NearMiss>& misses) {
    json list = json::array();
    for (const quillform::NearMiss& miss : misses)
        list.push_back({{"chain", miss.chain},
                        {"end", miss.atLast ? "last" : "first"},
                        {"otherChain", miss.otherChain},
                        {"otherEnd", miss.otherAtLast ? "last" : "first"},
                        {"distance", miss.distance}});
    return list;
}

json IgnoredContent(const std::vector<quillform::Ignored>& ignored) {
    json list = json::array();
    for (const quillform::Ignored& content : ignored) {
        json entry = {{"type", content.type}, {"count", content.count}};
        if (!content.hint.empty())
            entry["hint"] = content.hint;
        list.push_back(entry);
    }
    return list;
}

json Value(quillform::Engine engine) {
    return quillform::EngineName(engine);
}
template <typename T> json Value(const T& value) {
    return value;
}

// Settings at their defaults are left out, so that the document of a plain
// read stays as it always was.
json Settings(const Options& options) {
    const quillform::Settings& settings = options.settings;
    const quillform::Settings defaults;
    json written = json::object();
    quillform::ForEachSetting([&](const quillform::SettingName& name, auto member) {
        const bool shown = name.always || (settings.*member != defaults.*member &&
                                           (!name.applies || name.applies(settings)));
        if (name.json && shown)
            written[name.json] = Value(settings.*member);
    });
    if (!options.outputUnits.empty())
        written["outputUnits"] = options.outputUnits;
    return written;
}

} // namespace

json BoundsJson(const quillform::Bounds& box) {
    return Bounds(box);
}

static json FindingsToJson(const std::vector<quillform::Finding>& findings) {
    json list = json::array();
    for (const quillform::Finding& f : findings) {
        json item = {{"code", f.code}, {"severity", quillform::SeverityName(f.severity)}};
        if (!f.layer.empty())
            item["layer"] = f.layer;
        if (f.part)
            item["part"] = *f.part;
        item["location"] = {{"x", f.location.x}, {"y", f.location.y}};
        if (f.value)
            item["value"] = *f.value;
        if (f.limit)
            item["limit"] = *f.limit;
        item["message"] = f.message;
        list.push_back(item);
    }
    return list;
}

json ResultToJson(const quillform::Drawing& drawing, const Options& options) {
    json layers = json::array();
    Figures file;
    for (const quillform::Layer& layer : drawing.layers) {
        json shapes = json::array();
        Figures figures;
        for (const quillform::Shape& shape : layer.shapes)
            shapes.push_back(Shape(shape, figures));
        layers.push_back({{"name", layer.name}, {"shapes", shapes}});
        layers.back()["totals"] = TotalsJson(figures.totals);
        quillform::AddTotals(file.totals, figures.totals);
        file.overflow = file.overflow || figures.overflow;
    }
    // The layout is described by docs/quillform-shapes.schema.json; "version"
    // counts its changes.
    json document = {{"format", "quillform-shapes"},
                     {"version", 2},
                     {"file", drawing.file},
                     {"settings", Settings(options)},
                     {"status", Status(drawing.status)},
                     {"units", Unit(drawing.unit)}};
    if (!options.outputUnits.empty())
        document["lengthUnits"] = Unit(drawing.lengths);
    // Members that only appear when they have something to say.
    if (!drawing.warnings.empty())
        document["warnings"] = Warnings(drawing.warnings);
    if (!drawing.ignored.empty())
        document["ignored"] = IgnoredContent(drawing.ignored);
    if (!drawing.openChains.empty())
        document["openChains"] = OpenChains(drawing.openChains);
    if (!drawing.nearMisses.empty())
        document["nearMisses"] = NearMisses(drawing.nearMisses);
    document["layers"] = layers;
    document["totals"] = TotalsJson(file.totals);
    json notes = json::array();
    if (options.check)
        document["findings"] = FindingsToJson(drawing.findings);
    if (HoldsNonFinite(document))
        notes.push_back("numbers that are not finite (the drawing's coordinates overflow) are "
                        "written as null");
    if (file.overflow)
        notes.push_back("measures are null where a part's figures exceed the largest number");
    if (!notes.empty())
        document["notes"] = notes;
    return document;
}
