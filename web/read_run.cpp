// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "read_run.h"

#include "document_status.h"
#include "zip_archive.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

const char* const kDrawingFile = "drawing.dxf";

namespace {
// How each export is asked of the command: its --format, the file it writes
// (empty: standard output), the answer's type and extension.
struct ExportKind {
    const char* format;
    const char* output;
    const char* type;
    const char* extension;
};

const std::map<std::string, ExportKind>& Kinds() {
    static const std::map<std::string, ExportKind> kinds{
        {"json", {"json", "", "application/json", ".json"}},
        {"csv", {"csv", "", "text/csv; charset=utf-8", ".csv"}},
        {"dxf", {"dxf", "out.dxf", "image/vnd.dxf", ".dxf"}},
        {"cut-svg", {"cut-svg", "out.svg", "image/svg+xml", ".svg"}},
        {"geojson", {"geojson", "out.geojson", "application/geo+json", ".geojson"}},
        {"zip", {"dxf", "parts", "application/zip", "-parts.zip"}},
    };
    return kinds;
}

std::string Slurp(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Arguments(const CommandFeatures& command, const ReadSettings& settings,
                                   const std::string& format) {
    const ExportKind& kind = Kinds().at(format);
    std::vector<std::string> args{command.path, std::string("--format=") + kind.format};
    // The part files go to a folder named by --split-parts itself.
    if (format == "zip")
        args.insert(args.end(), {"--split-parts", kind.output});
    else if (*kind.output)
        args.insert(args.end(), {"--output", kind.output});
    // The check's findings belong to the JSON document only.
    CommandFeatures features = command;
    features.check = command.check && format == "json";
    for (std::string& arg : SettingArguments(settings, features))
        args.push_back(std::move(arg));
    args.insert(args.end(), {"--", kDrawingFile});
    return args;
}

// The command's messages with the upload's name for the private file's.
std::string Messages(const std::string& err, const std::string& name) {
    std::istringstream lines(err);
    std::string text;
    for (std::string line; std::getline(lines, line) && text.size() < 2000;) {
        if (line.rfind("quillform: ", 0) == 0)
            line.erase(0, 11);
        for (size_t at = line.find(kDrawingFile); at != std::string::npos;
             at = line.find(kDrawingFile, at + name.size()))
            line.replace(at, std::strlen(kDrawingFile), name);
        text += (text.empty() ? "" : "; ") + line;
    }
    return text.empty() ? "the read failed" : text;
}

// What went wrong with a worker that did not end normally.
std::optional<Failure> EndFailure(const WorkerOutcome& done, const WorkerLimits& limits) {
    using End = WorkerOutcome::End;
    if (done.end == End::NotStarted)
        return Failure{500, "workerFailed", "no worker could be started: " + done.startError};
    if (done.end == End::TimedOut || (done.end == End::Signalled && done.signal == SIGXCPU))
        return Failure{422, "timeout",
                       "the read took longer than " + std::to_string(limits.seconds) +
                           " s, the limit of this server"};
    if (done.end == End::Signalled && done.signal == SIGXFSZ)
        return Failure{422, "outputTooLarge", "the output is larger than this server writes"};
    if (done.end == End::Signalled)
        return Failure{500, "workerCrashed",
                       "the read ended with signal " + std::to_string(done.signal) +
                           ": a fault of ours"};
    if (done.exitStatus == 127 || done.exitStatus == 2)
        return Failure{500, "workerFailed", "the worker could not run the read"};
    return std::nullopt;
}

std::optional<Failure> ReadFailure(const WorkerOutcome& done, const std::vector<std::string>& flags,
                                   const std::string& name) {
    const std::string message = Messages(done.err, name);
    const bool notDrawing = std::count(flags.begin(), flags.end(), "notDrawing") > 0 ||
                            message.find("not a DXF drawing") != std::string::npos ||
                            message.find("binary DXF is not supported") != std::string::npos;
    if (notDrawing)
        return Failure{400, "notDrawing", message, flags};
    if (done.exitStatus == 1 || done.exitStatus == 3)
        return Failure{422, "readFailed", message, flags};
    return std::nullopt;
}

RunResult Zip(const std::filesystem::path& parts, const std::string& stem) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(parts))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ZipArchive zip;
    const std::string prefix = std::filesystem::path(kDrawingFile).stem().string();
    for (const std::filesystem::path& file : files) {
        std::string name = file.filename().string();
        if (name.rfind(prefix, 0) == 0)
            name.replace(0, prefix.size(), stem);
        if (!zip.Add(name, Slurp(file)))
            return Failure{422, "outputTooLarge", "the parts do not fit in one zip file"};
    }
    return RunResult(zip.Finish(), "application/zip", stem + "-parts.zip");
}
} // namespace

bool KnownExport(const std::string& format) {
    return Kinds().count(format) > 0;
}

bool ExportAvailable(const CommandFeatures& command, const std::string& format) {
    if (!KnownExport(format))
        return false;
    if (format == "zip")
        return command.splitParts && command.formats.count("dxf");
    return command.formats.count(Kinds().at(format).format) > 0;
}

RunResult RunRead(const CommandFeatures& command, const WorkerLimits& limits,
                  const std::filesystem::path& folder, const ReadSettings& settings,
                  const std::string& format) {
    const ExportKind& kind = Kinds().at(format);
    if (format == "zip")
        std::filesystem::create_directory(folder / kind.output);
    WorkerOutcome done = RunWorker(Arguments(command, settings, format), folder, limits);
    if (auto failure = EndFailure(done, limits))
        return *failure;
    std::optional<std::vector<std::string>> flags = std::vector<std::string>();
    if (format == "json" && !(flags = DocumentFlags(done.out)))
        return Failure{500, "workerFailed", "the worker wrote no JSON document"};
    if (auto failure = ReadFailure(done, *flags, settings.name))
        return *failure;
    const std::string stem = SafeStem(settings.name);
    if (format == "json") {
        return RunResult(WithFileName(std::move(done.out), kDrawingFile, settings.name), kind.type,
                         "");
    }
    if (format == "zip")
        return Zip(folder / kind.output, stem);
    std::string content = *kind.output ? Slurp(folder / kind.output) : done.out;
    return RunResult(std::move(content), kind.type, stem + kind.extension);
}
