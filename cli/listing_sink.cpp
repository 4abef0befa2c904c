// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "listing_sink.h"

#include "shape_reading.h"
#include "worker_capture.h"

#include "quillform/names.h"

#include <cstdio>

namespace {
std::string Dump(const nlohmann::ordered_json& json, int indent) {
    return json.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}
} // namespace

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

void ListingSink::Document(nlohmann::ordered_json document) {
    if (format_ == OutputFormat::Jsonl)
        Raw(Dump(document, -1) + "\n");
    else if (capture_) {
        const std::vector<std::uint8_t> bytes = nlohmann::ordered_json::to_cbor(document);
        capture_->Record(CaptureChannel::Document, std::string(bytes.begin(), bytes.end()));
    } else
        documents_.push_back(std::move(document));
}

bool ListingSink::Finish(int exitStatus) {
    if (format_ == OutputFormat::Json && !documents_.empty())
        Raw(Dump(several_ ? documents_ : documents_[0], 2) + "\n");
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
