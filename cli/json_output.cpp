// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "json_output.h"

#include "measures_json.h"

#include "quillform/check.h"
#include "quillform/names.h"
#include "quillform/status.h"

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
json Warning(const quillform::Warning& warning) {
    json entry = {{"code", warning.code}};
    if (!warning.layer.empty())
        entry["layer"] = warning.layer;
    entry["count"] = warning.count;
    entry["message"] = warning.message;
    return entry;
}

json Unit(const quillform::Unit& unit) {
    return {{"code", unit.code}, {"name", unit.name}, {"millimetres", unit.millimetres}};
}

json Point(const quillform::Point& p) {
    return {{"x", p.x}, {"y", p.y}};
}

json OpenChain(const quillform::OpenChain& chain) {
    return {{"layer", chain.layer},
            {"edges", chain.edges},
            {"first", Point(chain.first)},
            {"last", Point(chain.last)},
            {"gap", chain.gap},
            {"vertices", Vertices(chain.vertices)}};
}

json NearMiss(const quillform::NearMiss& miss) {
    return {{"chain", miss.chain},
            {"end", miss.atLast ? "last" : "first"},
            {"otherChain", miss.otherChain},
            {"otherEnd", miss.otherAtLast ? "last" : "first"},
            {"distance", miss.distance}};
}

json IgnoredContent(const quillform::Ignored& content) {
    json entry = {{"type", content.type}, {"count", content.count}};
    if (!content.hint.empty())
        entry["hint"] = content.hint;
    return entry;
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

json Finding(const quillform::Finding& f) {
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
    return item;
}

// The member name: [item(x) for x in list], each item written as it is made.
template <typename List, typename Item>
void Array(JsonStream& out, const char* name, const List& list, Item item) {
    out.Key(name);
    out.BeginArray();
    for (const auto& x : list)
        out.Value(item(x));
    out.End();
}

// {"name", "shapes", "totals"}, shape by shape; adds its figures to file's.
void WriteLayer(JsonStream& out, const quillform::Layer& layer, Figures& file) {
    Figures figures;
    out.BeginObject();
    out.Member("name", layer.name);
    Array(out, "shapes", layer.shapes,
          [&](const quillform::Shape& shape) { return Shape(shape, figures); });
    out.Member("totals", TotalsJson(figures.totals));
    out.End();
    quillform::AddTotals(file.totals, figures.totals);
    file.overflow = file.overflow || figures.overflow;
}

} // namespace

json BoundsJson(const quillform::Bounds& box) {
    return Bounds(box);
}

namespace {
// The members before the layers.
void WriteHead(JsonStream& out, const quillform::Drawing& drawing, const Options& options) {
    // The layout is described by docs/quillform-shapes.schema.json; "version"
    // counts its changes.
    out.Member("format", "quillform-shapes");
    out.Member("version", 2);
    out.Member("file", drawing.file);
    out.Member("settings", Settings(options));
    out.Member("status", Status(drawing.status));
    out.Member("units", Unit(drawing.unit));
    if (!options.outputUnits.empty())
        out.Member("lengthUnits", Unit(drawing.lengths));
    // Members that only appear when they have something to say.
    if (!drawing.warnings.empty())
        Array(out, "warnings", drawing.warnings, Warning);
    if (!drawing.ignored.empty())
        Array(out, "ignored", drawing.ignored, IgnoredContent);
    if (!drawing.openChains.empty())
        Array(out, "openChains", drawing.openChains, OpenChain);
    if (!drawing.nearMisses.empty())
        Array(out, "nearMisses", drawing.nearMisses, NearMiss);
}

// What a reader of the numbers should know; after everything else, since
// it depends on what was written.
json Notes(const JsonStream& out, const Figures& file) {
    json notes = json::array();
    if (out.WroteNonFinite())
        notes.push_back("numbers that are not finite (the drawing's coordinates overflow) are "
                        "written as null");
    if (file.overflow)
        notes.push_back("measures are null where a part's figures exceed the largest number");
    return notes;
}
} // namespace

void WriteResultJson(JsonStream& out, const quillform::Drawing& drawing, const Options& options,
                     const std::string& error) {
    out.BeginObject();
    WriteHead(out, drawing, options);
    Figures file;
    out.Key("layers");
    out.BeginArray();
    for (const quillform::Layer& layer : drawing.layers)
        WriteLayer(out, layer, file);
    out.End();
    out.Member("totals", TotalsJson(file.totals));
    if (options.check)
        Array(out, "findings", drawing.findings, Finding);
    const json notes = Notes(out, file);
    if (!notes.empty())
        out.Member("notes", notes);
    if (!error.empty())
        out.Member("error", error);
    out.End();
}
