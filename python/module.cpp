// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The reader for Python: quillform.read(path, **settings) -> Drawing, with
// the value types of the one-call C++ reader as plain, read-only objects.
#include "cut_files.h"
#include "drawing_state.h"
#include "measures_bindings.h"
#include "part_rows.h"

#include "quillform/drawing.h"
#include "quillform/outline_measures.h"
#include "quillform/status.h"

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <cerrno>
#include <cstring>
#include <sstream>
#include <sys/stat.h>

namespace py = pybind11;
using namespace quillform;

namespace {
std::string Number(double value) {
    std::ostringstream text;
    text.precision(15);
    text << value;
    return text.str();
}

std::string BoundsText(const Bounds& b) {
    return "(" + Number(b.minX) + ", " + Number(b.minY) + ")-(" + Number(b.maxX) + ", " +
           Number(b.maxY) + ")";
}

std::string OutlineText(const char* what, const Outline& o) {
    std::string text = std::string("<") + what + " ";
    if (o.kind == OutlineKind::Circle)
        text += "circle centre (" + Number(o.circle.center.x) + ", " + Number(o.circle.center.y) +
                ") radius " + Number(o.circle.radius);
    else
        text += "polygon of " + std::to_string(o.vertices.size()) + " vertices";
    return text + ", bounds " + BoundsText(o.bounds);
}

const char* KindName(const Outline& o) {
    return o.kind == OutlineKind::Circle ? "circle" : "polygon";
}

// A file name as Python gives it back (os.fsdecode): bytes that are no
// UTF-8 become surrogate escapes instead of an error.
py::object FileName(const std::string& path) {
    return py::reinterpret_steal<py::object>(
        PyUnicode_DecodeFSDefaultAndSize(path.data(), static_cast<Py_ssize_t>(path.size())));
}

// The same for a message, which must be valid UTF-8: such bytes as \xNN.
std::string Shown(const std::string& path) {
    return py::str(
        FileName(path).attr("encode")("utf-8", "backslashreplace").attr("decode")("utf-8"));
}

// A read that did not give a drawing becomes the exception Python code expects.
void RaiseForFailure(const Drawing& d, const std::string& bytes) {
    if (d.status & stReadError) {
        struct stat info;
        const int error = stat(bytes.c_str(), &info) != 0 ? errno
                          : S_ISDIR(info.st_mode)         ? EISDIR
                                                          : EACCES;
        PyErr_SetObject(PyExc_OSError,
                        py::make_tuple(error, std::strerror(error), FileName(bytes)).ptr());
        throw py::error_already_set();
    }
    const std::string path = Shown(bytes);
    if (d.status & stOutOfMemory) {
        PyErr_SetString(PyExc_MemoryError, ("not enough memory to read " + path).c_str());
        throw py::error_already_set();
    }
    for (const Warning& w : d.warnings) {
        if (d.status & stNotDrawing)
            throw py::value_error(
                path + ": " +
                (w.code == "binaryDxf" ? "binary DXF is not supported" : "not a DXF drawing"));
        if (d.status & stExpansionLimit && w.code == "expansionLimit")
            throw py::value_error(path + ": " + w.message);
    }
    if (d.status & stNotDrawing)
        throw py::value_error(path + ": not a DXF drawing");
    if (d.status & stExpansionLimit)
        throw py::value_error(path + ": block inserts would produce too many entities");
}

// A keyword's value in the type of its setting; a value of another type is
// a TypeError naming the keyword.
template <typename T> void Assign(T& member, py::handle value, const std::string& keyword) {
    try {
        member = value.cast<T>();
    } catch (const py::cast_error&) {
        throw py::type_error("read(): " + keyword + " cannot be " +
                             std::string(py::str(py::type::handle_of(value).attr("__name__"))));
    }
}

void Assign(Engine& member, py::handle value, const std::string& keyword) {
    std::string name;
    Assign(name, value, keyword);
    const std::optional<Engine> engine = EngineNamed(name);
    if (!engine)
        throw py::value_error("engine must be 'fast' or 'reference', not '" + name + "'");
    member = *engine;
}

// The settings the keywords give (every setting has the keyword its table
// entry names; the others keep their defaults), and output_units.
Settings SettingsOf(const py::kwargs& keywords, std::string* outputUnits) {
    Settings settings;
    for (const auto& [key, value] : keywords) {
        const std::string keyword = py::str(key);
        bool known = keyword == "output_units";
        if (known)
            Assign(*outputUnits, value, keyword);
        ForEachSetting([&](const SettingName& name, auto member) {
            if (keyword != name.python)
                return;
            Assign(settings.*member, value, keyword);
            known = true;
        });
        if (!known)
            throw py::type_error("read() got an unexpected keyword argument '" + keyword + "'");
    }
    return settings;
}

Drawing Read(const std::filesystem::path& path, const py::kwargs& keywords) {
    std::string outputUnits;
    const Settings settings = SettingsOf(keywords, &outputUnits);
    if (const std::string problem = SettingsProblem(settings); !problem.empty())
        throw py::value_error("read(): " + problem);
    Drawing drawing;
    std::string unitError;
    {
        const py::gil_scoped_release unlocked;
        drawing = ReadDrawing(path, settings);
        if (drawing.Read() && !outputUnits.empty())
            ConvertUnits(drawing, outputUnits, &unitError);
    }
    RaiseForFailure(drawing, path.string());
    if (!unitError.empty())
        throw py::value_error(Shown(path.string()) + ": output_units: " + unitError);
    return drawing;
}

std::string DocValue(Engine engine) {
    return std::string("'") + EngineName(engine) + "'";
}
template <typename T> std::string DocValue(const T& value) {
    return py::repr(py::cast(value));
}

// read()'s documentation, with its keywords and their defaults.
std::string ReadDoc() {
    std::string keywords;
    const Settings defaults;
    ForEachSetting([&](const SettingName& name, auto member) {
        keywords += std::string(keywords.empty() ? "" : ", ") + name.python + "=" +
                    DocValue(defaults.*member);
    });
    return "read(path, *, " + keywords +
           ", output_units='')\n\nReads a DXF file and returns its Drawing. Raises OSError "
           "(FileNotFoundError, ...) when the file cannot be opened, ValueError when it holds no "
           "drawing.";
}

void BindGeometry(py::module_& m) {
    py::class_<Point>(m, "Point")
        .def_readonly("x", &Point::x)
        .def_readonly("y", &Point::y)
        .def("__repr__",
             [](const Point& p) { return "Point(" + Number(p.x) + ", " + Number(p.y) + ")"; });
    py::class_<ArcEdge>(m, "Arc", "The arc of the edge leaving a vertex.")
        .def_property_readonly("center_x", [](const ArcEdge& a) { return a.center.x; })
        .def_property_readonly("center_y", [](const ArcEdge& a) { return a.center.y; })
        .def_readonly("radius", &ArcEdge::radius)
        .def_readonly("clockwise", &ArcEdge::clockwise)
        .def_property_readonly("direction",
                               [](const ArcEdge& a) { return a.clockwise ? "cw" : "ccw"; })
        .def("__repr__", [](const ArcEdge& a) {
            return "Arc(centre (" + Number(a.center.x) + ", " + Number(a.center.y) + "), radius " +
                   Number(a.radius) + ", " + (a.clockwise ? "cw" : "ccw") + ")";
        });
    py::class_<Vertex>(m, "Vertex")
        .def_readonly("x", &Vertex::x)
        .def_readonly("y", &Vertex::y)
        .def_readonly("arc", &Vertex::arc, "the arc of the edge to the next vertex, or None")
        .def("__repr__", [](const Vertex& v) {
            return "Vertex(" + Number(v.x) + ", " + Number(v.y) + (v.arc ? ", arc" : "") + ")";
        });
    py::class_<Circle>(m, "Circle")
        .def_property_readonly("center_x", [](const Circle& c) { return c.center.x; })
        .def_property_readonly("center_y", [](const Circle& c) { return c.center.y; })
        .def_readonly("radius", &Circle::radius)
        .def("__repr__", [](const Circle& c) {
            return "Circle(centre (" + Number(c.center.x) + ", " + Number(c.center.y) +
                   "), radius " + Number(c.radius) + ")";
        });
    py::class_<Bounds>(m, "Bounds")
        .def_readonly("min_x", &Bounds::minX)
        .def_readonly("min_y", &Bounds::minY)
        .def_readonly("max_x", &Bounds::maxX)
        .def_readonly("max_y", &Bounds::maxY)
        .def("__repr__", [](const Bounds& b) { return "Bounds" + BoundsText(b); });
}

void BindOutlines(py::module_& m) {
    py::class_<Outline>(m, "Outline",
                        "A hole: a closed polygon of straight and arc edges, or a circle.")
        .def_property_readonly("kind", KindName)
        .def_readonly("vertices", &Outline::vertices)
        .def_property_readonly("circle",
                               [](const Outline& o) -> std::optional<Circle> {
                                   if (o.kind == OutlineKind::Circle)
                                       return o.circle;
                                   return std::nullopt;
                               })
        .def_readonly("bounds", &Outline::bounds)
        .def_property_readonly("area", [](const Outline& o) { return EnclosedArea(o); })
        .def("to_svg_path", [](const Outline& o) { return SvgPath(o); })
        .def("__repr__", [](const Outline& o) { return OutlineText("Outline", o) + ">"; });
    py::class_<Shape, Outline>(m, "Shape", "An outer outline with its direct holes.")
        .def_readonly("holes", &Shape::holes)
        .def_property_readonly(
            "area", [](const Shape& s) { return MaterialArea(s); },
            "the enclosed area less the holes'")
        .def("to_svg_path", [](const Shape& s) { return SvgPath(s); })
        .def("__repr__", [](const Shape& s) {
            return OutlineText("Shape", s) + ", " + std::to_string(s.holes.size()) + " holes>";
        });
    py::class_<Layer>(m, "Layer")
        .def_readonly("name", &Layer::name)
        .def_readonly("shapes", &Layer::shapes)
        .def("__repr__", [](const Layer& l) {
            return "<Layer " + l.name + ": " + std::to_string(l.shapes.size()) + " shapes>";
        });
}

void BindReport(py::module_& m) {
    py::class_<Warning>(m, "Warning")
        .def_readonly("code", &Warning::code)
        .def_readonly("layer", &Warning::layer)
        .def_readonly("count", &Warning::count)
        .def_readonly("message", &Warning::message)
        .def_readonly("value", &Warning::value)
        .def("__repr__",
             [](const Warning& w) { return "<Warning " + w.code + ": " + w.message + ">"; });
    py::class_<OpenChain>(m, "OpenChain", "A chain of edges that did not close.")
        .def_readonly("layer", &OpenChain::layer)
        .def_readonly("vertices", &OpenChain::vertices)
        .def_readonly("edges", &OpenChain::edges)
        .def_readonly("first", &OpenChain::first)
        .def_readonly("last", &OpenChain::last)
        .def_readonly("gap", &OpenChain::gap)
        .def("__repr__", [](const OpenChain& c) {
            return "<OpenChain on " + c.layer + ": " + std::to_string(c.edges) + " edges from (" +
                   Number(c.first.x) + ", " + Number(c.first.y) + ") to (" + Number(c.last.x) +
                   ", " + Number(c.last.y) + "), gap " + Number(c.gap) + ">";
        });
    py::class_<NearMiss>(m, "NearMiss")
        .def_readonly("chain", &NearMiss::chain)
        .def_readonly("other_chain", &NearMiss::otherChain)
        .def_property_readonly("end", [](const NearMiss& n) { return n.atLast ? "last" : "first"; })
        .def_property_readonly("other_end",
                               [](const NearMiss& n) { return n.otherAtLast ? "last" : "first"; })
        .def_readonly("distance", &NearMiss::distance)
        .def("__repr__", [](const NearMiss& n) {
            return "<NearMiss chains " + std::to_string(n.chain) + " and " +
                   std::to_string(n.otherChain) + ", " + Number(n.distance) + " apart>";
        });
    py::class_<Ignored>(m, "Ignored")
        .def_readonly("type", &Ignored::type)
        .def_readonly("count", &Ignored::count)
        .def_readonly("hint", &Ignored::hint)
        .def("__repr__", [](const Ignored& i) {
            return "<Ignored " + std::to_string(i.count) + " " + i.type + ">";
        });
    py::class_<Unit>(m, "Unit")
        .def_readonly("code", &Unit::code)
        .def_readonly("name", &Unit::name)
        .def_readonly("millimetres", &Unit::millimetres)
        .def("__repr__", [](const Unit& u) { return "<Unit " + u.name + ">"; });
}

void BindDrawing(py::module_& m) {
    py::class_<Drawing>(m, "Drawing")
        .def(py::pickle([](const Drawing& d) { return py::bytes(SaveDrawing(d)); },
                        [](const py::bytes& state) { return LoadDrawing(state); }))
        .def_property_readonly("file", [](const Drawing& d) { return FileName(d.file); })
        .def_readonly("status", &Drawing::status, "the reader's status bits")
        .def_readonly("layers", &Drawing::layers)
        .def_readonly("warnings", &Drawing::warnings)
        .def_readonly("open_chains", &Drawing::openChains)
        .def_readonly("near_misses", &Drawing::nearMisses)
        .def_readonly("ignored", &Drawing::ignored)
        .def_readonly("findings", &Drawing::findings, "what check() found; empty after read()")
        .def_readonly("units", &Drawing::unit, "the drawing's unit, from its header")
        .def_readonly("length_units", &Drawing::lengths, "the unit lengths are given in")
        .def_property_readonly("bounds",
                               [](const Drawing& d) -> std::optional<Bounds> {
                                   if (d.hasShapes)
                                       return d.bounds;
                                   return std::nullopt;
                               })
        .def_property_readonly(
            "shapes",
            [](const Drawing& d) {
                std::vector<Shape> all;
                for (const Layer& layer : d.layers)
                    all.insert(all.end(), layer.shapes.begin(), layer.shapes.end());
                return all;
            },
            "every shape of every layer, in layer order")
        .def("__repr__", [](const Drawing& d) {
            size_t shapes = 0;
            for (const Layer& layer : d.layers)
                shapes += layer.shapes.size();
            return "<Drawing " + d.file + ": " + std::to_string(d.layers.size()) + " layers, " +
                   std::to_string(shapes) + " shapes, unit " + d.unit.name + ">";
        });
}
} // namespace

void BindCheck(py::module_& m); // check_binding.cpp

PYBIND11_MODULE(_quillform, m) {
    m.doc() = "Closed part outlines (shapes, holes, islands) from DXF drawings.";
    BindGeometry(m);
    BindOutlines(m);
    BindReport(m);
    BindDrawing(m);
    BindMeasures(m);
    BindPartRows(m);
    BindCutFiles(m);
    BindCheck(m);
    static const std::string doc = ReadDoc();
    m.def("read", &Read, py::arg("path"), doc.c_str());
}
