// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "options.h"

#include "cut_options.h"
#include "parallel_files.h"

#include "quillform/dxf_quillform.h"
#include "quillform/version.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

namespace {
// A length (a linking distance, a curve tolerance) is a number that the
// settings' own validation accepts in that member.
std::function<std::string(const std::string&)> LengthOf(double quillform::Settings::*member) {
    return [member](const std::string& text) {
        char* end = nullptr;
        quillform::Settings trial;
        trial.*member = std::strtod(text.c_str(), &end);
        if (end != text.c_str() && *end == '\0' && quillform::SettingsProblem(trial).empty())
            return std::string();
        return "expected a finite number >= 0, not '" + text + "'";
    };
}

// A length of the check: a number in drawing units, or with mm or in.
std::string CheckLength(const std::string& text) {
    if (quillform::LengthIn(text, quillform::Unit{4, "mm", 1}))
        return std::string();
    return "expected a number >= 0, in drawing units or with mm or in, not '" + text + "'";
}

void AddCheckOptions(CLI::App& app, Options& options) {
    app.add_flag("--check", options.check,
                 "Also check the parts for what goes wrong when they are cut (findings on "
                 "standard error and in JSON; exit status 5 on an error)");
    app.add_option("--thickness", options.thickness,
                   "With --check: the sheet's thickness (drawing units, or 3mm, 0.125in)")
        ->check(CheckLength);
    app.add_option("--min-hole", options.minHole,
                   "With --check: the smallest hole that cuts clean (default: the thickness)")
        ->check(CheckLength);
    app.add_option("--min-web", options.minWeb,
                   "With --check: the thinnest web between holes (default: the thickness)")
        ->check(CheckLength);
    app.add_option("--sheet", options.sheet, "With --check: the sheet's size WxH")
        ->check([](const std::string& text) {
            const size_t x = text.find('x');
            return x != std::string::npos && CheckLength(text.substr(0, x)).empty() &&
                           CheckLength(text.substr(x + 1)).empty()
                       ? std::string()
                       : "expected WxH, for example 3000x1500 or 120inx60in";
        });
    app.add_option("--kerf", options.kerf, "With --check: the width of the cut")
        ->check(CheckLength);
    const std::map<std::string, quillform::Severity> levels{
        {"error", quillform::Severity::Error}, {"warning", quillform::Severity::Warning}};
    app.add_option("--fail-on", options.failOn,
                   "With --check: the findings that make the exit status 5: error (default) or "
                   "warning")
        ->transform(CLI::CheckedTransformer(levels, CLI::ignore_case))
        ->option_text("error|warning");
}

// "quillform 0.9.3.1 (reader 0.9.3.1.beta)": the package and the reader's own version text.
std::string VersionText() {
    char reader[32] = {};
    TDXFQuillform().GetVersion(reader);
    return std::string("quillform " QUILLFORM_VERSION " (reader ") + reader + ")";
}
} // namespace

int ParseCommandLine(int argc, char** argv, Options& options) {
    CLI::App app{"Reads DXF drawings and lists the closed outlines of their parts: outer "
                 "shapes, their holes, vertices, arc edges, circles and bounding boxes.",
                 "quillform"};
    app.add_option("files", options.files, "DXF files to read ('-' reads standard input)")
        ->required();
    app.set_version_flag("--version", VersionText(), "Print the version and exit");
    app.add_option("-d,--distance", options.settings.distance,
                   "Greatest gap between entity ends that linking still joins")
        ->capture_default_str()
        ->check(LengthOf(&quillform::Settings::distance));
    app.add_flag("--mix-layers", options.settings.mixLayers,
                 "Let linking join entities of any layers");
    CLI::Option* accurate = app.add_flag(
        "--accurate", options.settings.accurate,
        "Read the geometry as CAD programs show it (the default): block base points, scale, "
        "mirroring, arrays, nested blocks, extrusions, ellipses, splines; paper space left out; "
        "open polylines open; nearest ends joined first");
    app.add_flag_callback(
           "--literal", [&options] { options.settings.accurate = false; },
           "Read by the reader's own simplified rules instead: inserts by rotation and insertion "
           "point only, bulges exploded, the first end found within the distance joined")
        ->excludes(accurate);
    app.add_option(
           "--curve-tolerance", options.settings.curveTolerance,
           "In accurate geometry: how far the arcs and lines that replace an ellipse or spline "
           "may stray from it, in drawing units (default 0.01 mm in the drawing's unit)")
        ->check(LengthOf(&quillform::Settings::curveTolerance));
    app.add_option("--output-units", options.outputUnits,
                   "Write every coordinate, radius and box in this unit (mm, cm, m, in, ft), "
                   "converted from the drawing's unit ($INSUNITS)")
        ->check(CLI::IsMember({"mm", "cm", "m", "in", "ft"}));
    app.add_option("--layers", options.settings.layers,
                   "Read only these layers (comma-separated names); the entity log still shows all")
        ->delimiter(',')
        ->allow_extra_args(false); // the file names after it are not layers

    app.add_option("--exclude-layers", options.settings.excludedLayers,
                   "Leave these layers out (comma-separated names)")
        ->delimiter(',')
        ->allow_extra_args(false);
    app.add_flag("--holes-across-layers", options.settings.holesAcrossLayers,
                 "Let classification take holes and islands from any layer (a shape keeps its "
                 "outline's layer)");
    app.add_option("--open-mode", options.settings.openMode,
                   "Chains that do not close: 0 drop them, 1 keep them, 2 stop (exit status 3)")
        ->capture_default_str()
        ->check(CLI::Range(0, 2));
    app.add_flag("--log", options.log, "Print one line per entity as it is read");
    app.add_flag("--contours", options.contours,
                 "Print the linked contours, one line each, instead of the shapes");
    app.add_flag("--measures", options.measures,
                 "Instead of the listing, one line per part: width, height, net area, cut length, "
                 "pierces, smallest rectangle and smallest hole, with totals");
    app.add_flag("-q,--quiet", options.quiet,
                 "Do not announce the shape count of each layer, nor warnings and diagnostics");
    app.add_option("-o,--output", options.output,
                   "Write the listing to this file (text: CR LF line ends)");
    const std::map<std::string, OutputFormat> formats{
        {"text", OutputFormat::Text},      {"json", OutputFormat::Json},
        {"jsonl", OutputFormat::Jsonl},    {"csv", OutputFormat::Csv},
        {"png", OutputFormat::Png},        {"svg", OutputFormat::Svg},
        {"dxf", OutputFormat::CutDxf},     {"cut-svg", OutputFormat::CutSvg},
        {"geojson", OutputFormat::GeoJson}};
    app.add_option("--format", options.format,
                   "Output format: text, json, jsonl (one JSON document a line), csv (the "
                   "figures of --measures), the drawing as png or svg (needs -o), or the parts "
                   "as files to cut: dxf, cut-svg, geojson")
        ->transform(CLI::CheckedTransformer(formats, CLI::ignore_case))
        ->option_text("text|json|jsonl|csv|png|svg|dxf|cut-svg|geojson")
        ->default_str("text");
    std::string size;
    app.add_option("--size", size, "Size WxH of the view the drawing is fitted into")
        ->default_str("800x600")
        ->check([](const std::string& text) {
            int w = 0, h = 0;
            char x = 0, rest = 0;
            return std::sscanf(text.c_str(), "%d%c%d%c", &w, &x, &h, &rest) == 3 && x == 'x' &&
                           w > 0 && h > 0 && w <= 100000 && h <= 100000
                       ? std::string()
                       : "expected WxH with positive W and H, for example 800x600";
        });
    app.add_flag("--no-index", "Draw the shapes without their index labels");
    app.add_option("--expansion-limit", options.settings.expansionLimit,
                   "Most entities block inserts may produce before the read stops (default: "
                   "10 million, less where memory is short)")
        ->check(CLI::PositiveNumber);
    app.add_option("--stdin-limit", options.stdinLimit,
                   "Most bytes read from standard input (\"-\"), default 1 GiB")
        ->check(CLI::PositiveNumber);
    const std::map<std::string, quillform::Engine> engines{
        {"fast", quillform::Engine::Fast}, {"reference", quillform::Engine::Reference}};
    app.add_option("--engine", options.settings.engine,
                   "Linking and classification engine: fast, or the literal reference scans "
                   "(same results, for checking)")
        ->transform(CLI::CheckedTransformer(engines, CLI::ignore_case))
        ->option_text("fast|reference")
        ->default_str("fast");
    options.jobs = ProcessorCount();
    app.add_option("-j,--jobs", options.jobs,
                   "Files read at once, by worker processes; the output is the same as one "
                   "after the other (default: the number of processors)")
        ->check(CLI::Range(1, 1024));
    AddCutOptions(app, options);
    AddCheckOptions(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::printf("%s", app.help().c_str());
        return kSuccess;
    } catch (const CLI::CallForVersion& version) {
        std::printf("%s\n", version.what());
        return kSuccess;
    } catch (const CLI::ParseError& error) {
        std::fprintf(stderr,
                     "quillform: %s\nUsage: quillform [OPTIONS] FILE.dxf...\n"
                     "Run 'quillform --help' for the options.\n",
                     error.what());
        return kBadUsage;
    }
    if (!size.empty())
        std::sscanf(size.c_str(), "%dx%d", &options.pictureWidth, &options.pictureHeight);
    options.showIndex = app.count("--no-index") == 0;
    const bool picture = options.format == OutputFormat::Png || options.format == OutputFormat::Svg;
    if (picture && (options.output.empty() || options.files.size() != 1)) {
        std::fprintf(stderr, "quillform: --format png and svg draw one file into the file "
                             "given with -o\n");
        return kBadUsage;
    }
    // What no option check catches alone (an empty layer name).
    if (const std::string problem = quillform::SettingsProblem(options.settings);
        !problem.empty()) {
        std::fprintf(stderr, "quillform: %s\n", problem.c_str());
        return kBadUsage;
    }
    const bool figures = options.measures || options.format == OutputFormat::Csv;
    if ((options.measures && (picture || CutFormat(options.format))) ||
        (figures && options.contours)) {
        std::fprintf(stderr,
                     "quillform: --measures lists the figures of the parts as text or "
                     "csv; it does not go with --contours nor with --format png, svg and the cut "
                     "formats\n");
        return kBadUsage;
    }
    return CheckCutOptions(options);
}
