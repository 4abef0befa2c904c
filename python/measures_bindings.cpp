// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "measures_bindings.h"

#include "quillform/drawing.h"
#include "quillform/measures.h"

#include <pybind11/stl.h>

#include <iomanip>
#include <sstream>

namespace py = pybind11;
using namespace quillform;

namespace {
std::string Number(double value) {
    std::ostringstream text;
    text << std::setprecision(15) << value;
    return text.str();
}

// A figure of the part, or None when the part has none (a coordinate that
// is not finite, or figures past the largest double).
template <typename Figure> auto OfPart(Figure figure) {
    return [figure](const Shape& shape) -> std::optional<decltype(figure(PartMeasures()))> {
        const PartMeasures m = MeasurePart(shape);
        if (!m.finite)
            return std::nullopt;
        return figure(m);
    };
}

template <typename Figure> auto OfOutline(Figure figure) {
    return [figure](const Outline& outline) -> std::optional<decltype(figure(OutlineMeasures()))> {
        const OutlineMeasures m = MeasureOutline(outline);
        if (!m.finite)
            return std::nullopt;
        return figure(m);
    };
}

// Figures that may be absent anyway (no holes, no arcs).
std::optional<double> SmallestHole(const Shape& shape) {
    return MeasurePart(shape).smallestHole;
}
std::optional<double> PartSmallestRadius(const Shape& shape) {
    return MeasurePart(shape).smallestRadius;
}
std::optional<double> OutlineSmallestRadius(const Outline& outline) {
    return MeasureOutline(outline).smallestRadius;
}

void BindRectangle(py::module_& m) {
    py::class_<Rectangle>(m, "Rectangle",
                          "The smallest-area rectangle in any rotation: width along angle "
                          "(degrees counter-clockwise from +x, in [0, 90)), height across it. "
                          "Unpacks as (width, height, angle).")
        .def_readonly("width", &Rectangle::width)
        .def_readonly("height", &Rectangle::height)
        .def_readonly("angle", &Rectangle::angle)
        .def("__len__", [](const Rectangle&) { return 3; })
        .def(
            "__iter__",
            [](const Rectangle& r) { return py::iter(py::make_tuple(r.width, r.height, r.angle)); })
        .def("__eq__",
             [](const Rectangle& a, const Rectangle& b) {
                 return a.width == b.width && a.height == b.height && a.angle == b.angle;
             })
        .def("__repr__", [](const Rectangle& r) {
            return "Rectangle(width=" + Number(r.width) + ", height=" + Number(r.height) +
                   ", angle=" + Number(r.angle) + ")";
        });
}

void BindFigures(py::module_& m) {
    py::class_<OutlineMeasures>(m, "OutlineMeasures", "The figures of one outline.")
        .def_readonly("area", &OutlineMeasures::area)
        .def_readonly("length", &OutlineMeasures::length)
        .def_readonly("width", &OutlineMeasures::width)
        .def_readonly("height", &OutlineMeasures::height)
        .def_readonly("min_rectangle", &OutlineMeasures::minRectangle)
        .def_readonly("hull_area", &OutlineMeasures::hullArea)
        .def_readonly("smallest_radius", &OutlineMeasures::smallestRadius)
        .def("__repr__", [](const OutlineMeasures& o) {
            return "<OutlineMeasures area " + Number(o.area) + ", length " + Number(o.length) + ">";
        });
    py::class_<PartMeasures>(m, "PartMeasures", "The figures of a part: a shape and its holes.")
        .def_readonly("area", &PartMeasures::area)
        .def_readonly("outer_area", &PartMeasures::outerArea)
        .def_readonly("cut_length", &PartMeasures::cutLength)
        .def_readonly("outer_length", &PartMeasures::outerLength)
        .def_readonly("pierces", &PartMeasures::pierces)
        .def_readonly("width", &PartMeasures::width)
        .def_readonly("height", &PartMeasures::height)
        .def_readonly("min_rectangle", &PartMeasures::minRectangle)
        .def_readonly("hull_area", &PartMeasures::hullArea)
        .def_readonly("smallest_hole", &PartMeasures::smallestHole)
        .def_readonly("smallest_radius", &PartMeasures::smallestRadius)
        .def("__repr__", [](const PartMeasures& p) {
            return "<PartMeasures area " + Number(p.area) + ", cut length " + Number(p.cutLength) +
                   ", " + std::to_string(p.pierces) + " pierces>";
        });
    py::class_<Totals>(m, "Totals", "Sums over the parts of a layer or of a drawing.")
        .def_readonly("parts", &Totals::parts)
        .def_readonly("unmeasured", &Totals::unmeasured, "parts without figures")
        .def_readonly("pierces", &Totals::pierces)
        .def_readonly("cut_length", &Totals::cutLength)
        .def_readonly("area", &Totals::area)
        .def_property_readonly("bounds",
                               [](const Totals& t) -> std::optional<Bounds> {
                                   if (t.parts > t.unmeasured)
                                       return t.box;
                                   return std::nullopt;
                               })
        .def("__repr__", [](const Totals& t) {
            return "<Totals " + std::to_string(t.parts) + " parts, " + std::to_string(t.pierces) +
                   " pierces, cut length " + Number(t.cutLength) + ", area " + Number(t.area) + ">";
        });
}

void BindOutlineFigures(py::class_<Outline>& outline) {
    outline
        .def_property_readonly(
            "measures", OfOutline([](const OutlineMeasures& o) { return o; }),
            "its figures (OutlineMeasures), or None when a coordinate is not finite")
        .def_property_readonly("length",
                               OfOutline([](const OutlineMeasures& o) { return o.length; }))
        .def_property_readonly("width", OfOutline([](const OutlineMeasures& o) { return o.width; }))
        .def_property_readonly("height",
                               OfOutline([](const OutlineMeasures& o) { return o.height; }))
        .def_property_readonly("min_rectangle",
                               OfOutline([](const OutlineMeasures& o) { return o.minRectangle; }))
        .def_property_readonly("hull_area",
                               OfOutline([](const OutlineMeasures& o) { return o.hullArea; }))
        .def_property_readonly("smallest_radius", &OutlineSmallestRadius);
}

void BindPartFigures(py::class_<Shape, Outline>& shape) {
    shape
        .def_property_readonly(
            "measures", OfPart([](const PartMeasures& p) { return p; }),
            "the part's figures (PartMeasures), or None when a coordinate is not finite")
        .def_property_readonly("cut_length",
                               OfPart([](const PartMeasures& p) { return p.cutLength; }))
        .def_property_readonly("pierces", OfPart([](const PartMeasures& p) { return p.pierces; }))
        .def_property_readonly("outer_area",
                               OfPart([](const PartMeasures& p) { return p.outerArea; }))
        .def_property_readonly("outer_length",
                               OfPart([](const PartMeasures& p) { return p.outerLength; }))
        .def_property_readonly("smallest_hole", &SmallestHole)
        .def_property_readonly("smallest_radius", &PartSmallestRadius);
}
} // namespace

void BindMeasures(py::module_& m) {
    BindRectangle(m);
    BindFigures(m);
    auto outline = py::reinterpret_borrow<py::class_<Outline>>(m.attr("Outline"));
    BindOutlineFigures(outline);
    auto shape = py::reinterpret_borrow<py::class_<Shape, Outline>>(m.attr("Shape"));
    BindPartFigures(shape);
    py::reinterpret_borrow<py::class_<Layer>>(m.attr("Layer"))
        .def_property_readonly("totals", [](const Layer& l) { return TotalOf(l); });
    py::reinterpret_borrow<py::class_<Drawing>>(m.attr("Drawing"))
        .def_property_readonly("totals", [](const Drawing& d) { return TotalOf(d); });
}
