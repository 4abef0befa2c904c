// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "listing_sink.h"

#include "shape_reading.h"
#include "worker_capture.h"

#include "quillform/names.h"

#include <cstdio>

ListingSink::ListingSink(const Options& options)
    : format_(options.format), several_(options.files.size() > 1),
      toFile_(!options.output.empty()) {
    if (toFile_)
        file_ = std::make_unique<TOutputFile>(options.output);
}

ListingSink::ListingSink(const ListingSink& main, WorkerCapture& capture)
    : format_(main.format_), several_(main.several_), toFile_(main.toFile_), capture_(&capture) {}

void ListingSink::Heading(const std::string& file) {
    if (several_ && format_ == OutputFormat::Text)
        Line(L"== " + WidePath(file) + L" ==");
}

std::string ListingSink::LineBytes(const std::wstring& line) const {
    return toFile_ ? quillform::EncodeForLocale(line) + "\r\n" : quillform::ToUtf8(line) + "\n";
}

void ListingSink::Line(const std::wstring& line) {
    Raw(LineBytes(line));
}

void ListingSink::Raw(const std::string& text) {
    if (capture_)
        capture_->Record(CaptureChannel::Listing, text);
    else if (file_)
        file_->Write(text);
    else
        WriteStandardOutput(text);
}

void ListingSink::BeginDocument() {
    if (capture_)
        capture_->Record(CaptureChannel::Document, std::string());
    else if (format_ == OutputFormat::Json && several_)
        Raw(documents_ == 0 ? "[\n  " : ",\n  ");
    ++documents_;
}

void ListingSink::Document(const std::function<void(JsonStream&)>& write) {
    BeginDocument();
    // As nlohmann's dump of the whole would lay it out: indented by two,
    // one level deeper inside the array of several files; a line in jsonl.
    const bool lines = format_ == OutputFormat::Jsonl;
    JsonStream stream([this](const std::string& bytes) { Raw(bytes); }, lines ? -1 : 2,
                      !lines && several_ ? 1 : 0);
    write(stream);
    stream.Flush();
    if (lines)
        Raw("\n");
}

bool ListingSink::Finish(int exitStatus) {
    if (format_ == OutputFormat::Json && documents_ > 0)
        Raw(several_ ? "\n]\n" : "\n");
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
