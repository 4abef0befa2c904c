// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// quillform-bench: reads generated drawings with both engines and prints the
// time of each beside the floor, dxflib's own parse of the same file with a
// receiver that does nothing. Each measurement runs in a child process, so
// that its peak memory can be read too.
#include "sheet_writer.h"

#include "quillform/dxf_quillform.h"
#include "quillform/result_copy.h"
#include "quillform/shape_listing.h"

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
struct Case {
    std::string kind;
    int32_t n;
};

struct Measure {
    double seconds = -1; // processor time (user + system) of the job
    double wall = -1;
    long peakKb = 0;
};

enum class Job { Parse, Fast, Reference };

// What `quillform -q` does with a file: read it, copy the results and
// format the listing, without printing it.
size_t ReadAndList(const std::string& path, TEngine engine) {
    struct Context {
        TDXFQuillform reader;
        size_t lines = 0;
    } context;
    context.reader.SetLinkingDistance(0.001);
    context.reader.SetEngine(static_cast<int32_t>(engine));
    context.reader.OnReadDone = {[](void* c) {
                                     auto* ctx = static_cast<Context*>(c);
                                     const TResultCopy copy = CopyResults(ctx->reader);
                                     for (int32_t i = 0; i < copy.LayerCount; ++i)
                                         ctx->lines += ListingLines(copy.Layers[i], L'.').size();
                                 },
                                 &context};
    context.reader.Read(std::wstring(path.begin(), path.end()).c_str());
    return context.lines;
}

void RunJob(Job job, const std::string& path) {
    if (job == Job::Parse) {
        DL_Dxf dxf;
        DL_CreationAdapter nothing;
        dxf.in(path, &nothing);
    } else {
        ReadAndList(path, job == Job::Fast ? TEngine::Fast : TEngine::Reference);
    }
}

double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + 1e-6 * static_cast<double>(t.tv_usec);
}

double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

// The job in a child process: its processor and wall time, and its peak
// resident memory. Processor time is what the job costs even when other
// work shares the machine.
Measure InChild(Job job, const std::string& path) {
    int pipe_[2];
    if (pipe(pipe_) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(pipe_[0]);
        const double cpu = ProcessorSeconds();
        const auto start = std::chrono::steady_clock::now();
        RunJob(job, path);
        const double times[2] = {
            ProcessorSeconds() - cpu,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()};
        if (write(pipe_[1], times, sizeof times) != sizeof times)
            _exit(1);
        _exit(0);
    }
    close(pipe_[1]);
    Measure m;
    double times[2] = {-1, -1};
    if (read(pipe_[0], times, sizeof times) == sizeof times) {
        m.seconds = times[0];
        m.wall = times[1];
    }
    close(pipe_[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    m.peakKb = usage.ru_maxrss;
    return m;
}

// The best of a few runs: the machine is shared, the minimum is the least disturbed.
Measure Best(Job job, const std::string& path, int runs) {
    Measure best;
    for (int r = 0; r < runs; ++r) {
        const Measure m = InChild(job, path);
        if (best.seconds < 0 || (m.seconds >= 0 && m.seconds < best.seconds))
            best = m;
    }
    return best;
}

double LoadAverage() {
    double load[1] = {0};
    return getloadavg(load, 1) == 1 ? load[0] : -1;
}

long FileKb(const std::string& path) {
    struct stat s{};
    return stat(path.c_str(), &s) == 0 ? static_cast<long>(s.st_size / 1024) : 0;
}

struct Options {
    bool quick = false;
    int32_t referenceMax = 3000;
    int runs = 3;
    std::string dir = "/tmp";
};

Options Parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--quick"))
            o.quick = true;
        else if (!std::strcmp(argv[i], "--reference-max") && i + 1 < argc)
            o.referenceMax = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
            o.runs = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--dir") && i + 1 < argc)
            o.dir = argv[++i];
    }
    return o;
}

std::vector<Case> Cases(bool quick) {
    std::vector<Case> cases = {{"sheet", 1000}, {"sheet", 3000}, {"sheet", 10000}};
    if (!quick) {
        cases.push_back({"sheet", 30000});
        cases.push_back({"sheet", 100000});
    }
    const std::vector<Case> hard = {{"squares", 20000}, {"plates", 3000},    {"layers", 100000},
                                    {"polyline", 100000}, {"ring", 200000}, {"holes", 4000}};
    cases.insert(cases.end(), hard.begin(), hard.end());
    return cases;
}
} // namespace

int main(int argc, char** argv) {
    const Options options = Parse(argc, argv);
    std::printf("load average at start: %.2f\n", LoadAverage());
    std::printf("processor seconds (user + system), best of %d; wall seconds of the fast engine\n",
                options.runs);
    std::printf("%-9s %7s %9s %8s %8s %6s %8s %8s %7s %9s %9s %5s\n", "drawing", "n", "file KB",
                "floor", "fast", "ratio", "wall", "ref", "ratio", "floor KB", "fast KB",
                "x file");
    for (const Case& c : Cases(options.quick)) {
        const std::string path = options.dir + "/quillform-bench-" + c.kind + "-" +
                                 std::to_string(c.n) + ".dxf";
        if (!WriteDrawing(c.kind, c.n, 1, path)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        const Measure floor = Best(Job::Parse, path, options.runs);
        const Measure fast = Best(Job::Fast, path, options.runs);
        Measure reference;
        if (c.n <= options.referenceMax)
            reference = InChild(Job::Reference, path);
        const long fileKb = FileKb(path);
        std::printf("%-9s %7d %9ld %8.3f %8.3f %6.2f %8.3f", c.kind.c_str(), c.n, fileKb,
                    floor.seconds, fast.seconds, fast.seconds / floor.seconds, fast.wall);
        if (reference.seconds >= 0)
            std::printf(" %8.3f %7.1f", reference.seconds, reference.seconds / floor.seconds);
        else
            std::printf(" %8s %7s", "-", "-");
        std::printf(" %9ld %9ld %5.1f\n", floor.peakKb, fast.peakKb,
                    fileKb ? double(fast.peakKb) / fileKb : 0.0);
        std::fflush(stdout);
        std::remove(path.c_str());
    }
    std::printf("load average at end: %.2f\n", LoadAverage());
    return 0;
}
