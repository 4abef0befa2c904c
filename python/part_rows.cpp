// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "part_rows.h"

#include "quillform/drawing.h"
#include "quillform/measures.h"

#include <optional>

namespace py = pybind11;
using namespace quillform;

namespace {
// The columns of a row, in order; quillform.batch.PART_COLUMNS is this.
constexpr const char* kColumns[] = {"file",
                                    "layer",
                                    "part",
                                    "kind",
                                    "holes",
                                    "min_x",
                                    "min_y",
                                    "max_x",
                                    "max_y",
                                    "area",
                                    "outer_area",
                                    "cut_length",
                                    "outer_length",
                                    "pierces",
                                    "width",
                                    "height",
                                    "rectangle_width",
                                    "rectangle_height",
                                    "rectangle_angle",
                                    "hull_area",
                                    "smallest_hole",
                                    "smallest_radius",
                                    "unit",
                                    "error"};
constexpr size_t kColumnCount = sizeof(kColumns) / sizeof(kColumns[0]);

py::object Optional(const std::optional<double>& value) {
    return value ? py::object(py::float_(*value)) : py::none();
}

// One part's values in column order. Its figures are None when they do not
// hold (a coordinate that is not finite).
py::tuple PartValues(const Drawing& drawing, const Layer& layer, size_t index, const Shape& shape) {
    const PartMeasures m = MeasurePart(shape);
    const auto figure = [&](py::object value) { return m.finite ? std::move(value) : py::none(); };
    py::object values[] = {
        py::str(drawing.file),
        py::str(layer.name),
        py::int_(index), // as the listing numbers them: SHAPE # 0 first
        py::str(shape.kind == OutlineKind::Circle ? "circle" : "polygon"),
        py::int_(shape.holes.size()),
        py::float_(shape.bounds.minX),
        py::float_(shape.bounds.minY),
        py::float_(shape.bounds.maxX),
        py::float_(shape.bounds.maxY),
        figure(py::float_(m.area)),
        figure(py::float_(m.outerArea)),
        figure(py::float_(m.cutLength)),
        figure(py::float_(m.outerLength)),
        figure(py::int_(m.pierces)),
        figure(py::float_(m.width)),
        figure(py::float_(m.height)),
        figure(py::float_(m.minRectangle.width)),
        figure(py::float_(m.minRectangle.height)),
        figure(py::float_(m.minRectangle.angle)),
        figure(py::float_(m.hullArea)),
        figure(Optional(m.smallestHole)),
        figure(Optional(m.smallestRadius)),
        py::str(drawing.lengths.name),
        py::none(),
    };
    static_assert(sizeof(values) / sizeof(values[0]) == kColumnCount, "one value a column");
    py::tuple row(kColumnCount);
    for (size_t k = 0; k < kColumnCount; ++k)
        row[k] = std::move(values[k]);
    return row;
}

py::list EveryPart(const Drawing& drawing) {
    py::list rows;
    for (const Layer& layer : drawing.layers)
        for (size_t i = 0; i < layer.shapes.size(); ++i)
            rows.append(PartValues(drawing, layer, i, layer.shapes[i]));
    return rows;
}

py::tuple Columns() {
    py::tuple columns(kColumnCount);
    for (size_t k = 0; k < kColumnCount; ++k)
        columns[k] = py::str(kColumns[k]);
    return columns;
}
} // namespace

void BindPartRows(py::module_& m) {
    m.attr("_PART_COLUMNS") = Columns();
    m.def("_part_values", &EveryPart, py::arg("drawing"),
          "One tuple a part of every layer, in order, with its measures: the values of "
          "_PART_COLUMNS.");
}
