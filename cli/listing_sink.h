// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "options.h"
#include "output_file.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <string>

class WorkerCapture;

// Where the listing goes: standard output (UTF-8, LF), or a file written as
// the window's "Save as txt..." writes it (locale encoding, CR LF), which
// replaces its target only when the whole run succeeded. JSON documents are
// kept for one array written at the end (one file: the document alone), or
// with --format jsonl written one a line as they come.
class ListingSink {
public:
    explicit ListingSink(const Options& options);
    // The sink of a worker process: the same bytes and documents, as records
    // for the main process's sink to replay.
    ListingSink(const ListingSink& main, WorkerCapture& capture);

    bool Open() { return !file_ || file_->Open(); }
    const std::string& Error() const { return file_->Error(); }

    // "== FILE ==" before each file's listing when several are listed as text.
    void Heading(const std::string& file);
    void Line(const std::wstring& line);
    void Raw(const std::string& text);
    void Document(nlohmann::ordered_json document);
    // Writes the JSON kept and puts the file in place; false (message
    // printed) when it could not be written.
    bool Finish(int exitStatus);

private:
    std::string LineBytes(const std::wstring& line) const;

    OutputFormat format_;
    bool several_;
    bool toFile_;
    std::unique_ptr<TOutputFile> file_;
    WorkerCapture* capture_ = nullptr;
    nlohmann::ordered_json documents_ = nlohmann::ordered_json::array();
};
