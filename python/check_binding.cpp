// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The preflight check for Python: quillform.check(path, thickness=..., ...)
// reads the drawing and returns it with its findings.
#include "quillform/check.h"

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <string>

namespace py = pybind11;
using namespace quillform;

namespace {
// A length keyword: a number in drawing units, or a text with mm or in.
std::optional<double> LengthArgument(const py::handle& value, const Unit& unit,
                                     const std::string& keyword) {
    if (value.is_none())
        return std::nullopt;
    if (py::isinstance<py::str>(value)) {
        const std::string text = value.cast<std::string>();
        if (const std::optional<double> length = LengthIn(text, unit))
            return length;
        throw py::value_error("check(): " + keyword + " '" + text +
                              "' is not a length >= 0 (a number, or one with mm or in for a "
                              "drawing that says its unit)");
    }
    const double length = value.cast<double>();
    if (!std::isfinite(length) || length < 0)
        throw py::value_error("check(): " + keyword + " must be a finite number >= 0");
    return length;
}

Drawing CheckRead(Drawing drawing, const py::object& thickness, const py::object& minHole,
                  const py::object& minWeb, const py::object& sheet, const py::object& kerf) {
    const Unit& unit = drawing.lengths;
    CheckOptions o;
    o.thickness = LengthArgument(thickness, unit, "thickness").value_or(0);
    o.minHole = LengthArgument(minHole, unit, "min_hole");
    o.minWeb = LengthArgument(minWeb, unit, "min_web");
    o.kerf = LengthArgument(kerf, unit, "kerf").value_or(0);
    if (!sheet.is_none()) {
        const py::sequence size = sheet.cast<py::sequence>();
        if (size.size() != 2)
            throw py::value_error("check(): sheet must be (width, height)");
        o.sheetWidth = LengthArgument(size[0], unit, "sheet").value_or(0);
        o.sheetHeight = LengthArgument(size[1], unit, "sheet").value_or(0);
    }
    drawing.findings = Check(drawing, o);
    return drawing;
}
} // namespace

void BindCheck(py::module_& m) {
    py::class_<Finding>(m, "Finding", "What will go wrong when a part is cut, and where.")
        .def_readonly("code", &Finding::code)
        .def_property_readonly("severity",
                               [](const Finding& f) { return SeverityName(f.severity); })
        .def_readonly("layer", &Finding::layer)
        .def_readonly("part", &Finding::part)
        .def_readonly("location", &Finding::location)
        .def_readonly("value", &Finding::value)
        .def_readonly("limit", &Finding::limit)
        .def_readonly("message", &Finding::message)
        .def("__repr__", [](const Finding& f) {
            return "<Finding " + std::string(SeverityName(f.severity)) + " " + f.code + ": " +
                   f.message + ">";
        });
    m.def("_check", &CheckRead, py::arg("drawing"), py::arg("thickness"), py::arg("min_hole"),
          py::arg("min_web"), py::arg("sheet"), py::arg("kerf"));
}
