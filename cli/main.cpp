// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "check_output.h"
#include "contour_printer.h"
#include "cut_options.h"
#include "cut_output.h"
#include "entity_log_printer.h"
#include "json_output.h"
#include "listing_sink.h"
#include "measures_output.h"
#include "options.h"
#include "output_file.h"
#include "parallel_files.h"
#include "picture_output.h"
#include "read_outcome.h"
#include "shape_reading.h"
#include "standard_input.h"
#include "text_output.h"

#include "quillform/contours.h"
#include "quillform/names.h"
#include "quillform/shape_listing.h"
#include "quillform/status.h"

#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {
void ListText(const quillform::Drawing& result, const Options& options, ListingSink& sink) {
    for (const quillform::Layer& layer : result.layers) {
        if (!options.quiet) {
            FlushStandardOutput();
            WriteLine(stderr, quillform::ShapesDiscoveredMessage(layer));
        }
        // Shape by shape: the listing of a large layer is never held whole.
        for (size_t i = 0; i < layer.shapes.size(); ++i)
            for (const std::wstring& line : quillform::ShapeListingLines(layer.shapes[i], i, L'.'))
                sink.Line(line);
    }
}

int PrintContours(const std::string& file, const Options& options) {
    const quillform::EntityEvents events =
        options.log ? EntityLogPrinter() : quillform::EntityEvents();
    const quillform::Contours read =
        quillform::ReadContours(InputPath(file), options.settings, events);
    for (const quillform::Contour& contour : read.contours)
        WriteLine(stdout, ContourLine(contour));
    // Only the warnings: the chains and what was left unused are the listing's.
    quillform::Drawing result;
    result.file = file;
    result.status = read.status;
    result.warnings = read.warnings;
    return ReportOutcome(result, options);
}

// A file whose worker process stopped: its heading, the message, and in
// JSON a document that says so.
int ReportLostFile(const std::string& file, const std::string& why, const Options& options,
                   ListingSink& sink) {
    const std::string message =
        "the process reading it stopped (" + why + "); nothing of it is listed";
    if (!options.contours)
        sink.Heading(file);
    FlushStandardOutput();
    std::fprintf(stderr, "quillform: %s: %s\n", file.c_str(), message.c_str());
    if (!options.contours && IsJson(options.format)) {
        quillform::Drawing lost;
        lost.file = file;
        lost.status = stReadError;
        sink.Document([&](JsonStream& out) { WriteResultJson(out, lost, options, message); });
    }
    if (!options.contours && options.format == OutputFormat::Csv) {
        MeasuresTable row;
        row.AddLostFile(file, message);
        sink.Raw(row.Csv(false));
    }
    return kCannotOpen;
}

int RunFilesOf(const Options& options, ListingSink& sink, const FileTask& task) {
    // Standard input is copied before workers start: each reads the copy.
    for (const std::string& file : options.files)
        InputPath(file);
    return RunFiles(options.files, options.jobs, sink, task,
                    [&](const std::string& file, const std::string& why, ListingSink& to) {
                        return ReportLostFile(file, why, options, to);
                    });
}

int RunContours(const Options& options) {
    ListingSink unused(options);
    return RunFilesOf(options, unused, [&](const std::string& file, ListingSink&) {
        return PrintContours(file, options);
    });
}

int RunPicture(const Options& options) {
    std::string unitError;
    quillform::Drawing result = ReadShapes(options.files.front(), options, &unitError);
    int status = ReportOutcome(result, options, unitError);
    if (status != kSuccess)
        return status;
    if (options.check)
        status = CheckDrawing(result, options);
    std::string error;
    switch (WritePicture(result, options, &error)) {
    case PictureResult::Written:
        return status;
    case PictureResult::Impossible:
        std::fprintf(stderr, "quillform: %s: %s\n", result.file.c_str(), error.c_str());
        return kCannotOpen;
    case PictureResult::Failed:
        break;
    }
    std::fprintf(stderr, "quillform: %s\n", error.c_str());
    return kCannotOpen;
}

// The exit status of a file: the read's, else the check's.
int CheckedStatus(quillform::Drawing& result, const Options& options, int readStatus) {
    if (!options.check || !result.Read())
        return readStatus;
    const int checked = CheckDrawing(result, options);
    return readStatus != kSuccess ? readStatus : checked;
}

int ListMeasures(const Options& options, ListingSink& sink) {
    MeasuresTable measures;
    int exitStatus = kSuccess;
    for (const std::string& file : options.files) {
        std::string unitError;
        quillform::Drawing result = ReadShapes(file, options, &unitError);
        const int read = ReportOutcome(result, options, unitError);
        const int status = CheckedStatus(result, options, read);
        if (exitStatus == kSuccess)
            exitStatus = status;
        measures.AddFile(result, read, unitError);
    }
    sink.Raw(measures.Text());
    return exitStatus;
}

int ListFile(const std::string& file, const Options& options, ListingSink& sink) {
    sink.Heading(file);
    std::string unitError;
    quillform::Drawing result = ReadShapes(file, options, &unitError);
    const int read = ReportOutcome(result, options, unitError);
    const int status = CheckedStatus(result, options, read);
    // CSV rows file by file, under the header written before the first.
    if (options.format == OutputFormat::Csv) {
        MeasuresTable rows;
        rows.AddFile(result, read, unitError);
        sink.Raw(rows.Csv(false));
        return status;
    }
    if (!unitError.empty())
        return status; // unconverted coordinates would pass for converted ones
    if (!IsJson(options.format)) {
        ListText(result, options, sink);
        return status;
    }
    // A line of a stream says why its file gave nothing.
    const std::string error =
        options.format == OutputFormat::Jsonl ? FailureMessage(result) : std::string();
    sink.Document([&](JsonStream& out) { WriteResultJson(out, result, options, error); });
    return status;
}

int RunListing(const Options& options) {
    ListingSink sink(options);
    if (!sink.Open()) {
        std::fprintf(stderr, "quillform: %s\n", sink.Error().c_str());
        return kCannotOpen;
    }
    // The aligned table needs every row before its first line: read in turn.
    if (ListsMeasures(options) && options.format != OutputFormat::Csv) {
        const int status = ListMeasures(options, sink);
        return sink.Finish(status) ? status : kCannotOpen;
    }
    if (options.format == OutputFormat::Csv)
        sink.Raw(MeasuresTable().Csv());
    const int exitStatus = RunFilesOf(options, sink, [&](const std::string& file, ListingSink& to) {
        return ListFile(file, options, to);
    });
    return sink.Finish(exitStatus) ? exitStatus : kCannotOpen;
}

int Run(const Options& options) {
    // Reading a drawing and writing over it would lose it.
    if (!options.output.empty() && IsOneOfTheInputs(options.output, options.files)) {
        std::fprintf(stderr, "quillform: '%s' is one of the input files; it is not overwritten\n",
                     options.output.c_str());
        return kCannotOpen;
    }
    if (options.contours)
        return RunContours(options);
    if (options.format == OutputFormat::Png || options.format == OutputFormat::Svg)
        return RunPicture(options);
    if (CutFormat(options.format))
        return RunCutFiles(options);
    return RunListing(options);
}
} // namespace

int main(int argc, char** argv) {
    // A reader that went away (a closed pipe) is a write error like any other.
    std::signal(SIGPIPE, SIG_IGN);
    UseUserLocale();
    Options options;
    const int parsed = ParseCommandLine(argc, argv, options);
    if (parsed >= 0)
        return parsed;
    SetStandardInputLimit(options.stdinLimit);
    const int status = Run(options);
    std::string error;
    if (!FinishStandardOutput(&error)) {
        std::fprintf(stderr, "quillform: %s\n", error.c_str());
        return kCannotOpen;
    }
    return status;
}
