// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "part_rows.h"

#include "quillform/drawing.h"
#include "quillform/measures.h"

#include <optional>

namespace py = pybind11;
using namespace quillform;

namespace {
py::object Optional(const std::optional<double>& value) {
    return value ? py::object(py::float_(*value)) : py::none();
}

// The figures of a part; None for each when they do not hold (a coordinate
// that is not finite).
void AddMeasures(py::dict& row, const PartMeasures& m) {
    const auto put = [&](const char* key, py::object value) {
        row[key] = m.finite ? std::move(value) : py::none();
    };
    put("area", py::float_(m.area));
    put("outer_area", py::float_(m.outerArea));
    put("cut_length", py::float_(m.cutLength));
    put("outer_length", py::float_(m.outerLength));
    put("pierces", py::int_(m.pierces));
    put("width", py::float_(m.width));
    put("height", py::float_(m.height));
    put("rectangle_width", py::float_(m.minRectangle.width));
    put("rectangle_height", py::float_(m.minRectangle.height));
    put("rectangle_angle", py::float_(m.minRectangle.angle));
    put("hull_area", py::float_(m.hullArea));
    put("smallest_hole", Optional(m.smallestHole));
    put("smallest_radius", Optional(m.smallestRadius));
}

py::dict PartRow(const Drawing& drawing, const Layer& layer, size_t index, const Shape& shape) {
    py::dict row;
    row["file"] = drawing.file;
    row["layer"] = layer.name;
    row["part"] = index; // as the listing numbers them: SHAPE # 0 first
    row["kind"] = shape.kind == OutlineKind::Circle ? "circle" : "polygon";
    row["holes"] = shape.holes.size();
    row["min_x"] = shape.bounds.minX;
    row["min_y"] = shape.bounds.minY;
    row["max_x"] = shape.bounds.maxX;
    row["max_y"] = shape.bounds.maxY;
    AddMeasures(row, MeasurePart(shape));
    row["unit"] = drawing.lengths.name;
    row["error"] = py::none();
    return row;
}

py::list PartRows(const Drawing& drawing) {
    py::list rows;
    for (const Layer& layer : drawing.layers)
        for (size_t i = 0; i < layer.shapes.size(); ++i)
            rows.append(PartRow(drawing, layer, i, layer.shapes[i]));
    return rows;
}
} // namespace

void BindPartRows(py::module_& m) {
    m.def("_part_rows", &PartRows, py::arg("drawing"),
          "One dict a part of every layer, in order, with its measures.");
}
