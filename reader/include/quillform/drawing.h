// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/export.h"
#include "quillform/read_settings.h"

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

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
    std::string name; // as the file holds it, converted to UTF-8
    std::vector<Shape> shapes;
};

struct Warning {
    std::string code;  // stable identifier
    std::string layer; // empty when it concerns the whole drawing
    int64_t count = 0;
    std::string message; // an English sentence
};

struct Unit {
    int code = 0;           // $INSUNITS
    std::string name;       // "mm", "in", ... or "unknown"
    double millimetres = 0; // 0 when unknown
};

// Everything the reader's setters offer.
struct Settings {
    double distance = 1; // linking distance, in drawing units
    int openMode = 0;    // 0 drop open chains, 1 keep them, 2 stop
    bool mixLayers = false;
    bool accurate = false;
    double curveTolerance = 0; // 0: 0.01 mm in the drawing's unit
    TEngine engine = TEngine::Fast;
};

struct Drawing {
    std::string file;
    int32_t status = 0; // the reader's status bits (quillform/status.h)
    std::vector<Layer> layers;
    std::vector<Warning> warnings;
    Unit unit;
    Bounds bounds; // of every shape; all zero when there is none
    bool hasShapes = false;

    // Whether the file was read as a drawing (it may still hold no shapes).
    QUILLFORM_EXPORT bool Read() const;
};

// Reads the file (its path taken byte for byte) with the settings.
QUILLFORM_EXPORT Drawing ReadDrawing(const std::filesystem::path& path,
                                     const Settings& settings = Settings());

} // namespace quillform
