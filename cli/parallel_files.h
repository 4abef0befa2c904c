// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "listing_sink.h"

#include <functional>
#include <string>
#include <vector>

// Reads one file: writes its listing to the sink, its messages to standard
// error, and gives its exit status.
using FileTask = std::function<int(const std::string& file, ListingSink& sink)>;
// What is written for a file whose worker process stopped before it was
// done (why: "killed by signal 9 (Killed)"); gives its exit status.
using LostFile =
    std::function<int(const std::string& file, const std::string& why, ListingSink& sink)>;

// Runs task on every file and returns the exit status of the first that
// failed. With more than one job, up to jobs worker processes read at once,
// each taking the next file as it finishes one (one that crashes or is
// killed costs only the file it was reading; another takes its place), and
// what each file wrote is written in the order of files, byte for byte as a
// run one after the other would write it.
int RunFiles(const std::vector<std::string>& files, int jobs, ListingSink& sink,
             const FileTask& task, const LostFile& lost);

// The processors this process may run on.
int ProcessorCount();
