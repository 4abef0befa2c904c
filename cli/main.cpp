// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "entity_log_printer.h"
#include "text_output.h"

#include "quillform/entity_reader.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>
#include <vector>

namespace {
enum ExitStatus { kSuccess = 0, kCannotOpen = 1, kBadUsage = 2 };

struct Options {
    std::vector<std::string> files;
    bool log = false;
};

std::wstring Widen(const std::string& path) {
    std::wstring wide(path.size() + 1, L'\0');
    const size_t length = std::mbstowcs(wide.data(), path.c_str(), wide.size());
    if (length == static_cast<size_t>(-1))
        return std::wstring(path.begin(), path.end());
    wide.resize(length);
    return wide;
}

int ReadOne(const std::string& file, const Options& options) {
    const std::wstring name = Widen(file);
    const TEntityEvents events = options.log ? EntityLogPrinter(stdout) : TEntityEvents();
    if (!ReadEntities(name.c_str(), events)) {
        std::fprintf(stderr, "quillform: cannot open '%s'\n", file.c_str());
        return kCannotOpen;
    }
    return kSuccess;
}
} // namespace

int main(int argc, char** argv) {
    UseUserLocale();
    CLI::App app{"Reads DXF drawings and lists the closed outlines of their parts.", "quillform"};
    Options options;
    app.add_option("files", options.files, "DXF files to read")->required();
    app.add_flag("--log", options.log, "Print one line per entity as it is read");
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
