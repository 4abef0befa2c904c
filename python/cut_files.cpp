// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Drawing.to_dxf, to_geojson and to_cut_svg: the parts as files to cut from.
#include "cut_files.h"

#include "quillform/cut_files.h"
#include "quillform/units.h"

#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <optional>

namespace py = pybind11;
using namespace quillform;

namespace {
// Parts left out become Python warnings; a failure raises `error`.
const CutFileResult& Checked(const CutFileResult& result, PyObject* error = PyExc_ValueError) {
    for (const Warning& warning : result.warnings)
        if (PyErr_WarnEx(PyExc_UserWarning, warning.message.c_str(), 2) != 0)
            throw py::error_already_set();
    if (!result.ok) {
        PyErr_SetString(error, result.error.c_str());
        throw py::error_already_set();
    }
    return result;
}

CutFileOptions OptionsOf(bool keepLayers, bool openChains, const std::string& units,
                         double curveTolerance) {
    CutFileOptions options;
    options.keepLayers = keepLayers;
    options.openChains = openChains;
    options.outputUnits = units;
    options.curveTolerance = curveTolerance;
    return options;
}

template <typename Make> CutFileResult Released(Make make) {
    py::gil_scoped_release free;
    return make();
}

// The DXF's text, or the files written: the one file, or with split_parts
// one per part in the folder `path`; never over the drawing read.
py::object ToDxf(const Drawing& d, const std::optional<std::filesystem::path>& path,
                 bool splitParts, bool origin, bool keepLayers, bool openChains,
                 const std::string& units) {
    CutFileOptions options = OptionsOf(keepLayers, openChains, units, 0);
    options.origin = origin;
    if (!path && (splitParts || origin))
        throw py::value_error("split_parts and origin write files: give their folder");
    if (!path || !splitParts) {
        const CutFileResult made = Checked(Released([&] { return CutDxf(d, options); }));
        if (!path)
            return py::str(made.text);
        const std::vector<std::filesystem::path> inputs{d.file};
        return py::cast(
            Checked(Released([&] { return WriteCutFile(made, *path, inputs); }), PyExc_OSError)
                .files);
    }
    if (!units.empty() && !UnitNamed(units))
        throw py::value_error("'" + units + "' is not a unit");
    const std::vector<std::filesystem::path> inputs{d.file};
    return py::cast(
        Checked(Released([&] { return WritePartFiles(d, *path, inputs, options); }), PyExc_OSError)
            .files);
}
} // namespace

void BindCutFiles(py::module_& m) {
    auto drawing = py::reinterpret_borrow<py::class_<Drawing>>(m.attr("Drawing"));
    drawing.def("to_dxf", &ToDxf, py::arg("path") = py::none(), py::kw_only(),
                py::arg("split_parts") = false, py::arg("origin") = false,
                py::arg("keep_layers") = false, py::arg("open_chains") = false,
                py::arg("units") = "",
                "The parts as a cut-ready R2000 DXF: its text when no path is given, else "
                "the file written (or, with split_parts, one file per part in the folder "
                "`path`, each moved to (0, 0) with origin); returns the files written.");
    drawing.def(
        "to_geojson",
        [](const Drawing& d, const std::string& units, double curveTolerance) {
            const CutFileOptions options = OptionsOf(false, false, units, curveTolerance);
            const std::string text = Checked(Released([&] { return CutGeoJson(d, options); })).text;
            return py::module_::import("json").attr("loads")(text);
        },
        py::kw_only(), py::arg("units") = "", py::arg("curve_tolerance") = 0.0,
        "The parts as a GeoJSON FeatureCollection (a dict): one Polygon Feature per part, "
        "arcs as points, its layer, number and measures as properties.");
    drawing.def(
        "to_cut_svg",
        [](const Drawing& d, bool openChains, const std::string& units) {
            const CutFileOptions options = OptionsOf(false, openChains, units, 0);
            return Checked(Released([&] { return CutSvg(d, options); })).text;
        },
        py::kw_only(), py::arg("open_chains") = false, py::arg("units") = "",
        "The parts as an SVG for laser and vinyl software: real size, y up, true arcs.");
}
