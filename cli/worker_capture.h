// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>

// What a worker process writes while it reads one file, kept in order as
// records in a file for the main process to replay: standard output and
// where it was flushed, standard error, the listing's own bytes (the -o
// file's, JSON documents included), where each JSON document begins (the
// main process writes what goes between documents), and at the end the
// file's exit status.
enum class CaptureChannel : char {
    Output = 'O',
    Flush = 'F',
    Error = 'E',
    Listing = 'S',
    Document = 'J',
    End = 'X',
};

// The worker's side: from Install() on, stdout, stderr, std::cout and
// std::cerr (dxflib writes to them) become records in the file fd.
class WorkerCapture {
public:
    explicit WorkerCapture(int fd) : fd_(fd) {}
    WorkerCapture(const WorkerCapture&) = delete;
    WorkerCapture& operator=(const WorkerCapture&) = delete;

    // From now on the streams write to this capture (they stay redirected
    // until the process ends; a later capture takes them over).
    void Install();
    void Record(CaptureChannel channel, const std::string& bytes);
    // Writes the end record and everything still buffered; false when a
    // write failed (the main process then sees no end record).
    bool Finish(int exitStatus);

private:
    bool Drain();

    int fd_;
    std::string buffer_;
    size_t lastRecord_ = std::string::npos; // where the last record starts in buffer_
    bool failed_ = false;
};

// The main process's side. The exit status of the end record of the
// records in fd, or nothing when they stop before it.
std::optional<int> CapturedStatus(int fd);

// Hands every record of fd before the end record to each, in order.
void ReplayCapture(int fd, const std::function<void(CaptureChannel, const std::string&)>& each);
