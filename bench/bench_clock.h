// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// What the timing programs share: processor time (what a job costs even
// when other work shares the machine), the load they ran under, and their
// common arguments.
#pragma once

#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

namespace quillform::bench {

inline double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + 1e-6 * static_cast<double>(t.tv_usec);
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

inline double LoadAverage() {
    double load[1] = {0};
    return getloadavg(load, 1) == 1 ? load[0] : -1;
}

// --runs N (at least 1) and --dir DIR, where the drawings are written.
struct RunsAndFolder {
    int runs = 3;
    std::string dir = "/tmp";
};

inline RunsAndFolder ParseRunsAndFolder(int argc, char** argv, int runs) {
    RunsAndFolder parsed;
    parsed.runs = runs;
    for (int i = 1; i + 1 < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs"))
            parsed.runs = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--dir"))
            parsed.dir = argv[++i];
    }
    return parsed;
}

} // namespace quillform::bench
