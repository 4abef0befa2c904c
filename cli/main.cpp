// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "contour_printer.h"
#include "entity_log_printer.h"
#include "text_output.h"

#include "quillform/entity_reader.h"
#include "quillform/status.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>
#include <vector>

namespace {
enum ExitStatus { kSuccess = 0, kCannotOpen = 1, kBadUsage = 2 };

struct Options {
    std::vector<std::string> files;
    bool log = false;
    bool contours = false;
    TLinkSettings link{1.0, kDropOpenContours, false};
};

std::wstring Widen(const std::string& path) {
    std::wstring wide(path.size() + 1, L'\0');
    const size_t length = std::mbstowcs(wide.data(), path.c_str(), wide.size());
    if (length == static_cast<size_t>(-1))
        return std::wstring(path.begin(), path.end());
    wide.resize(length);
    return wide;
}

int CannotOpen(const std::string& file) {
    std::fprintf(stderr, "quillform: cannot open '%s'\n", file.c_str());
    return kCannotOpen;
}

int PrintContours(const std::wstring& name, const std::string& file, const Options& options,
                  const TEntityEvents& events) {
    TLista contours;
    int32_t status = 0;
    ReadContours(name.c_str(), events, options.link, &contours, &status);
    for (const TListaNode* n = contours.Head; n; n = n->Next)
        WriteLine(stdout, ContourLine(*static_cast<const TDXFPolygon*>(n->Item)));
    FreeContours(&contours);
    return (status & stReadError) ? CannotOpen(file) : kSuccess;
}

int ReadOne(const std::string& file, const Options& options) {
    const std::wstring name = Widen(file);
    const TEntityEvents events = options.log ? EntityLogPrinter(stdout) : TEntityEvents();
    if (options.contours)
        return PrintContours(name, file, options, events);
    return ReadEntities(name.c_str(), events) ? kSuccess : CannotOpen(file);
}
} // namespace

int main(int argc, char** argv) {
    UseUserLocale();
    CLI::App app{"Reads DXF drawings and lists the closed outlines of their parts.", "quillform"};
    Options options;
    app.add_option("files", options.files, "DXF files to read")->required();
    app.add_flag("--log", options.log, "Print one line per entity as it is read");
    app.add_flag("--contours", options.contours, "Print the linked contours, one line each");
    app.add_option("-d,--distance", options.link.linkingDistance,
                   "Greatest gap between entity ends that linking joins")
        ->capture_default_str();
    app.add_flag("--mix-layers", options.link.mixLayers, "Let linking join entities of any layers");
    app.add_option("--open-mode", options.link.openContourMode,
                   "Chains that do not close: 0 drop, 1 keep, 2 stop linking")
        ->capture_default_str();
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::printf("%s", app.help().c_str());
        return kSuccess;
    } catch (const CLI::ParseError& error) {
        std::fprintf(stderr, "quillform: %s\n%s", error.what(), app.help().c_str());
        return kBadUsage;
    }
    int status = kSuccess;
    for (const std::string& file : options.files) {
        const int result = ReadOne(file, options);
        if (result != kSuccess)
            status = result;
    }
    return status;
}
