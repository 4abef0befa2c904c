// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// One read runs in a child process of its own: a crash, a runaway allocation
// or an endless loop in it ends that child, never the server. The child gets
// a private folder as its working folder and TMPDIR, its output goes to files
// there, and it is killed with its whole process group when time is up.
struct WorkerLimits {
    double seconds = 30;           // wall-clock time, then SIGKILL
    int64_t addressSpace = 0;      // RLIMIT_AS in bytes; 0: none
    int64_t outputBytes = 1 << 30; // RLIMIT_FSIZE: the largest file it may write
};

struct WorkerOutcome {
    enum class End { Exited, TimedOut, Signalled, NotStarted };
    End end = End::NotStarted;
    int exitStatus = -1;    // when Exited
    int signal = 0;         // when Signalled
    std::string out;        // what it wrote to standard output
    std::string err;        // and to standard error
    std::string startError; // when NotStarted: why
};

// Runs argv (argv[0] an absolute path; no shell) in `folder` and waits for it.
WorkerOutcome RunWorker(const std::vector<std::string>& argv, const std::filesystem::path& folder,
                        const WorkerLimits& limits);

// Whether this build runs under AddressSanitizer, whose shadow memory cannot
// live under an address-space limit.
bool AddressLimitUsable();
