// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "check_output.h"
#include "contour_printer.h"
#include "entity_log_printer.h"
#include "json_output.h"
#include "options.h"
#include "output_file.h"
#include "picture_output.h"
#include "read_outcome.h"
#include "shape_reading.h"
#include "standard_input.h"
#include "text_output.h"

#include "shape_drawing.h"

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
// Where the listing goes: standard output (UTF-8, LF), or a file written as
// the window's "Save as txt..." writes it (locale encoding, CR LF), which
// replaces its target only when the whole run succeeded.
class ListingSink {
public:
    explicit ListingSink(const std::string& path) {
        if (!path.empty())
            file_ = std::make_unique<TOutputFile>(path);
    }
    bool Open() { return !file_ || file_->Open(); }
    const std::string& Error() const { return file_->Error(); }

    void Line(const std::wstring& line) {
        if (file_)
            file_->Write(quillform::EncodeForLocale(line) + "\r\n");
        else
            WriteLine(stdout, line);
    }
    void Raw(const std::string& text) {
        if (file_)
            file_->Write(text);
        else
            WriteStandardOutput(text);
    }
    // Puts the file in place; false (message printed) when it could not be written.
    bool Finish(int exitStatus) {
        if (!file_)
            return true;
        if (exitStatus != kSuccess) {
            std::fprintf(stderr, "quillform: '%s' was left as it was\n", file_->Target().c_str());
            return true;
        }
        if (file_->Commit())
            return true;
        std::fprintf(stderr, "quillform: %s\n", file_->Error().c_str());
        return false;
    }

private:
    std::unique_ptr<TOutputFile> file_;
};

void ListText(const quillform::Drawing& result, const Options& options, ListingSink& sink) {
    for (const quillform::Layer& layer : result.layers) {
        if (!options.quiet) {
            FlushStandardOutput();
            WriteLine(stderr, quillform::ShapesDiscoveredMessage(layer));
        }
        for (const std::wstring& line : quillform::ListingLines(layer, L'.'))
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
    std::string unitError;
    quillform::Drawing result = ReadShapes(options.files.front(), options, &unitError);
    int status = ReportOutcome(result, options, unitError);
    if (status != kSuccess)
        return status;
    if (options.check)
        status = CheckDrawing(result, options);
    const std::string problem =
        PictureProblem(PictureBox(result), options.pictureWidth, options.pictureHeight);
    if (!problem.empty()) {
        std::fprintf(stderr, "quillform: %s: %s\n", result.file.c_str(), problem.c_str());
        return kCannotOpen;
    }
    std::string error;
    if (!WritePicture(result, options, &error)) {
        std::fprintf(stderr, "quillform: %s\n", error.c_str());
        return kCannotOpen;
    }
    return status;
}

// The exit status of a file: the read's, else the check's.
int CheckedStatus(quillform::Drawing& result, const Options& options, int readStatus) {
    if (!options.check || !result.Read())
        return readStatus;
    const int checked = CheckDrawing(result, options);
    return readStatus != kSuccess ? readStatus : checked;
}

int RunListing(const Options& options) {
    ListingSink sink(options.output);
    if (!sink.Open()) {
        std::fprintf(stderr, "quillform: %s\n", sink.Error().c_str());
        return kCannotOpen;
    }
    const bool several = options.files.size() > 1;
    nlohmann::ordered_json documents = nlohmann::ordered_json::array();
    int exitStatus = kSuccess;
    for (const std::string& file : options.files) {
        if (several && options.format == OutputFormat::Text)
            sink.Line(L"== " + WidePath(file) + L" ==");
        std::string unitError;
        quillform::Drawing result = ReadShapes(file, options, &unitError);
        const int status =
            CheckedStatus(result, options, ReportOutcome(result, options, unitError));
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
    const int status = Run(options);
    std::string error;
    if (!FinishStandardOutput(&error)) {
        std::fprintf(stderr, "quillform: %s\n", error.c_str());
        return kCannotOpen;
    }
    return status;
}
