// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "contour_printer.h"
#include "entity_log_printer.h"
#include "json_output.h"
#include "options.h"
#include "picture_output.h"
#include "shape_reading.h"
#include "text_output.h"

#include "quillform/entity_reader.h"
#include "quillform/shape_listing.h"
#include "quillform/status.h"
#include "quillform/wide_names.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {
// Where the listing goes: standard output (UTF-8, LF), or a file written as
// the window's "Save as txt..." writes it (locale encoding, CR LF).
class ListingSink {
public:
    explicit ListingSink(const std::string& path) {
        if (!path.empty())
            file_.open(path, std::ios::binary | std::ios::trunc);
    }
    bool ToFile() const { return file_.is_open(); }
    bool Good() const { return !ToFile() || file_.good(); }

    void Line(const std::wstring& line) {
        if (ToFile())
            file_ << EncodeForLocale(line) << "\r\n";
        else
            WriteLine(stdout, line);
    }
    void Raw(const std::string& text) {
        if (ToFile())
            file_ << text;
        else
            std::fwrite(text.data(), 1, text.size(), stdout);
    }

private:
    std::ofstream file_;
};

int Report(const FileResult& result) {
    if (result.status & stReadError) {
        std::fprintf(stderr, "quillform: cannot open '%s'\n", result.file.c_str());
        return kCannotOpen;
    }
    if (result.status & stOpenContour) {
        std::fprintf(stderr,
                     "quillform: %s: a contour does not close; linking stopped and no shapes "
                     "were built (--open-mode 2)\n",
                     result.file.c_str());
        return kOpenContour;
    }
    return kSuccess;
}

void ListText(const FileResult& result, const Options& options, ListingSink& sink) {
    for (int32_t i = 0; i < result.shapes.LayerCount; ++i) {
        const TFixedSizeLayer& layer = result.shapes.Layers[i];
        if (!options.quiet) {
            std::fflush(stdout);
            WriteLine(stderr, ShapesDiscoveredMessage(layer));
        }
        for (const std::wstring& line : ListingLines(layer, L'.'))
            sink.Line(line);
    }
}

int PrintContours(const std::string& file, const Options& options) {
    TLista contours;
    int32_t status = 0;
    const TEntityEvents events = options.log ? EntityLogPrinter(stdout) : TEntityEvents();
    TReadSettings settings;
    settings.linkingDistance = options.distance;
    settings.openContourMode = options.openMode;
    settings.mixLayers = options.mixLayers;
    settings.engine = options.engine;
    ReadContours(NarrowPath(WidePath(file).c_str()), events, settings, &contours, &status);
    for (const TListaNode* n = contours.Head; n; n = n->Next)
        WriteLine(stdout, ContourLine(*static_cast<const TDXFPolygon*>(n->Item)));
    FreeContours(&contours);
    return Report(FileResult{file, {}, status});
}

int RunContours(const Options& options) {
    int exitStatus = kSuccess;
    for (const std::string& file : options.files) {
        const int status = PrintContours(file, options);
        if (exitStatus == kSuccess)
            exitStatus = status;
    }
    return exitStatus;
}

int RunPicture(const Options& options) {
    const FileResult result = ReadShapes(options.files.front(), options);
    const int status = Report(result);
    if (status != kSuccess)
        return status;
    if (!WritePicture(result, options)) {
        std::fprintf(stderr, "quillform: cannot write '%s'\n", options.output.c_str());
        return kCannotOpen;
    }
    return kSuccess;
}

int RunListing(const Options& options) {
    ListingSink sink(options.output);
    if (!sink.Good()) {
        std::fprintf(stderr, "quillform: cannot write '%s'\n", options.output.c_str());
        return kCannotOpen;
    }
    const bool several = options.files.size() > 1;
    nlohmann::ordered_json documents = nlohmann::ordered_json::array();
    int exitStatus = kSuccess;
    for (const std::string& file : options.files) {
        if (several && options.format == OutputFormat::Text)
            sink.Line(L"== " + WidePath(file) + L" ==");
        const FileResult result = ReadShapes(file, options);
        const int status = Report(result);
        if (exitStatus == kSuccess)
            exitStatus = status;
        if (options.format == OutputFormat::Json)
            documents.push_back(ResultToJson(result, options));
        else
            ListText(result, options, sink);
    }
    if (options.format == OutputFormat::Json)
        sink.Raw((several ? documents : documents[0])
                     .dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) +
                 "\n");
    return exitStatus;
}
} // namespace

int main(int argc, char** argv) {
    UseUserLocale();
    Options options;
    const int parsed = ParseCommandLine(argc, argv, options);
    if (parsed >= 0)
        return parsed;
    if (options.contours)
        return RunContours(options);
    if (options.format == OutputFormat::Png || options.format == OutputFormat::Svg)
        return RunPicture(options);
    return RunListing(options);
}
