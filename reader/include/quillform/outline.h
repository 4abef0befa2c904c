// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

// A drawing's parts as plain values that live as long as the caller keeps
// them.
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
    std::string name; // converted to UTF-8
    // The name's bytes as read: the file's own, except that a name in a
    // code page or with \U+XXXX escapes (files before AutoCAD 2007) is
    // already decoded to UTF-8.
    std::string bytes;
    std::vector<Shape> shapes;
};

} // namespace quillform
