// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/events.h"
#include "quillform/export.h"
#include "quillform/read_settings.h"

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

class TDXFQuillform;

// The reader in one call: a drawing's parts as plain values that live as
// long as the caller keeps them. Built on TDXFQuillform (the same pipeline,
// the same results); for the event-by-event interface use that class.
namespace quillform {

struct Point {
    double x = 0;
    double y = 0;
};

// The edge leaving a vertex, when it is an arc.
struct ArcEdge {
    Point center;
    double radius = 0;
    bool clockwise = false;
};

struct Vertex {
    double x = 0;
    double y = 0;
    std::optional<ArcEdge> arc; // empty: a straight edge to the next vertex
};

struct Circle {
    Point center;
    double radius = 0;
};

struct Bounds {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
};

enum class OutlineKind { Polygon, Circle };

// A closed outline: a polygon of straight and arc edges (the last vertex
// joins the first), or a circle.
struct Outline {
    OutlineKind kind = OutlineKind::Polygon;
    std::vector<Vertex> vertices; // polygons only
    Circle circle;                // circles only
    Bounds bounds;
};

// An outer outline and its direct holes (islands inside a hole are shapes
// of their own).
struct Shape : Outline {
    std::vector<Outline> holes;
};

struct Layer {
    std::string name;  // converted to UTF-8
    std::string bytes; // the name exactly as the file holds it
    std::vector<Shape> shapes;
};

struct Warning {
    std::string code;  // stable identifier
    std::string layer; // empty when it concerns the whole drawing
    int64_t count = 0;
    std::string message; // an English sentence
};

struct Unit {
    int code = 0;                 // $INSUNITS
    std::string name = "unknown"; // "mm", "in", ...
    double millimetres = 0;       // 0 when unknown
};

// A chain of edges that did not close, first vertex to last (the last
// vertex has no arc: nothing leaves it).
struct OpenChain {
    std::string layer;
    std::vector<Vertex> vertices;
    int64_t edges = 0;
    Point first, last;
    double gap = 0; // between its loose ends
};

// Loose ends of two different open chains close together (often the
// linking distance is just too small to join them).
struct NearMiss {
    size_t chain = 0, otherChain = 0;         // indexes into openChains
    bool atLast = false, otherAtLast = false; // which end of each
    double distance = 0;
};

// Content the read did not use, by kind.
struct Ignored {
    std::string type; // a DXF entity name, or what of an entity was not applied
    int64_t count = 0;
    std::string hint; // what would use it, or empty
};

// Everything the reader's setters offer.
struct Settings {
    double distance = 1; // linking distance, in drawing units
    int openMode = 0;    // 0 drop open chains, 1 keep them, 2 stop
    bool mixLayers = false;
    bool accurate = false;
    double curveTolerance = 0; // 0: 0.01 mm in the drawing's unit
    TEngine engine = TEngine::Fast;
    std::vector<std::string> layers;         // read only these (all when empty)
    std::vector<std::string> excludedLayers; // never these
    bool holesAcrossLayers = false;
    int64_t expansionLimit = 0; // 0: chosen from the memory there is
};

struct Drawing {
    std::string file;
    int32_t status = 0; // the reader's status bits (quillform/status.h)
    std::vector<Layer> layers;
    std::vector<Warning> warnings;
    std::vector<OpenChain> openChains;
    std::vector<NearMiss> nearMisses;
    std::vector<Ignored> ignored;
    Unit unit;     // the drawing's own, from its header
    Unit lengths;  // the unit its lengths are written in: its own, unless converted
    Bounds bounds; // of every shape; all zero when there is none
    bool hasShapes = false;

    // Whether the file was read as a drawing (it may still hold no shapes).
    QUILLFORM_EXPORT bool Read() const;
};

// The area an outline encloses (arcs included; the magnitude, whichever way
// it runs), and a shape's area less its holes': the material of the part.
QUILLFORM_EXPORT double EnclosedArea(const Outline& outline);
QUILLFORM_EXPORT double MaterialArea(const Shape& shape);

// An SVG path of the outline ("M … L … A … Z") in drawing coordinates (y
// grows upwards: draw it under transform="scale(1,-1)"); a shape's path has
// its holes as further subpaths, for fill-rule="evenodd".
QUILLFORM_EXPORT std::string SvgPath(const Outline& outline);
QUILLFORM_EXPORT std::string SvgPath(const Shape& shape);

// Reads the file (its path taken byte for byte) with the settings; the
// entity events, if given, are raised while it is parsed.
QUILLFORM_EXPORT Drawing ReadDrawing(const std::filesystem::path& path,
                                     const Settings& settings = Settings(),
                                     const TEntityEvents& events = TEntityEvents());

// The same settings as the reader's own record.
QUILLFORM_EXPORT TReadSettings ToReadSettings(const Settings& settings);

// Everything a reader holds about its read: call inside OnReadDone.
QUILLFORM_EXPORT Drawing CopyDrawing(const TDXFQuillform& reader);

// Writes every length (coordinates, radii, bounds, gaps, distances) in the
// unit named ("mm", "cm", "m", "in", "ft", ...) instead of the drawing's;
// `lengths` then names it.
// False (the drawing unchanged, the reason in *error) when the drawing's
// unit is unknown or the name is no unit.
QUILLFORM_EXPORT bool ConvertUnits(Drawing& drawing, const std::string& unitName,
                                   std::string* error);

} // namespace quillform
