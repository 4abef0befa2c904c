// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "json_stream.h"
#include "options.h"
#include "output_file.h"

#include <functional>
#include <memory>
#include <string>

class WorkerCapture;

// Where the listing goes: standard output (UTF-8, LF), or a file written as
// the window's "Save as txt..." writes it (locale encoding, CR LF), which
// replaces its target only when the whole run succeeded. JSON documents are
// written as they are made: the elements of one array (one file: the
// document alone), or with --format jsonl one a line.
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
    // Writes a document that write makes piece by piece on the stream given.
    void Document(const std::function<void(JsonStream&)>& write);
    // What goes before a document: the array's opening or the comma before
    // the next element. A worker's documents are replayed through it.
    void BeginDocument();
    // Closes the JSON written and puts the file in place; false (message
    // printed) when it could not be written.
    bool Finish(int exitStatus);

private:
    std::string LineBytes(const std::wstring& line) const;

    OutputFormat format_;
    bool several_;
    bool toFile_;
    std::unique_ptr<TOutputFile> file_;
    WorkerCapture* capture_ = nullptr;
    size_t documents_ = 0; // begun so far
};
