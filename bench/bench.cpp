// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// quillform-bench: reads generated drawings with both engines and prints the
// time of each beside the floor, dxflib's own parse of the same file with a
// receiver that does nothing. Each measurement runs in a child process, so
// that its peak memory can be read too.
#include "bench_clock.h"
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
#include <map>
#include <string>
#include <vector>

namespace {
using namespace quillform::bench;
struct Case {
    std::string kind;
    int32_t n;
};

struct Measure {
    double seconds = -1; // processor time (user + system) of the job
    double wall = -1;
    long peakKb = 0; // peak resident memory of the process that ran it
};

struct Job {
    enum Kind { Parse, Read, ReadAndList } kind;
    quillform::Engine engine;
};

// What a host does with a file: read it and copy the results in OnReadDone;
// and with the listing, what `quillform -q` does (the lines are formatted
// shape by shape, as it writes them, and not printed).
size_t Read(const std::string& path, quillform::Engine engine, bool list) {
    struct Context {
        TDXFQuillform reader;
        bool list = false;
        size_t items = 0;
    } context;
    context.list = list;
    context.reader.SetLinkingDistance(0.001);
    context.reader.SetEngine(static_cast<int32_t>(engine));
    context.reader.OnReadDone = {
        [](void* c) {
            auto* ctx = static_cast<Context*>(c);
            const quillform::TResultCopy copy = quillform::CopyResults(ctx->reader);
            for (int32_t i = 0; i < copy.LayerCount; ++i) {
                if (!ctx->list) {
                    ctx->items += copy.Layers[i].ShapeCount;
                    continue;
                }
                const quillform::Layer layer = quillform::ToValue(copy.Layers[i]);
                for (size_t j = 0; j < layer.shapes.size(); ++j)
                    ctx->items += quillform::ShapeListingLines(layer.shapes[j], j, L'.').size();
            }
        },
        &context};
    context.reader.Read(std::wstring(path.begin(), path.end()).c_str());
    return context.items;
}

void RunJob(const Job& job, const std::string& path) {
    if (job.kind == Job::Parse) {
        DL_Dxf dxf;
        DL_CreationAdapter nothing;
        dxf.in(path, &nothing);
    } else {
        Read(path, job.engine, job.kind == Job::ReadAndList);
    }
}

// The job in a child process: its processor and wall time, and its peak
// resident memory. Processor time is what the job costs even when other
// work shares the machine.
Measure InChild(const Job& job, const std::string& path) {
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
Measure Best(const Job& job, const std::string& path, int runs) {
    Measure best;
    for (int r = 0; r < runs; ++r) {
        const Measure m = InChild(job, path);
        if (best.seconds < 0 || (m.seconds >= 0 && m.seconds < best.seconds))
            best = m;
    }
    return best;
}

long FileKb(const std::string& path) {
    struct stat s {};
    return stat(path.c_str(), &s) == 0 ? static_cast<long>(s.st_size / 1024) : 0;
}

struct Options {
    bool quick = false;
    int32_t referenceMax = 3000;
    int runs = 3;
    std::string dir = "/tmp";
    std::string job; // --job parse|fast|reference|fast-list FILE: one run, in this process
    std::string file;
};

Options Parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--quick"))
            o.quick = true;
        else if (!std::strcmp(argv[i], "--job") && i + 2 < argc) {
            o.job = argv[++i];
            o.file = argv[++i];
        } else if (!std::strcmp(argv[i], "--reference-max") && i + 1 < argc)
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
    const std::vector<Case> hard = {{"squares", 20000},   {"plates", 3000}, {"layers", 100000},
                                    {"polyline", 100000}, {"ring", 200000}, {"holes", 4000},
                                    {"coincident", 20000}};
    cases.insert(cases.end(), hard.begin(), hard.end());
    return cases;
}

// The drawing is written by a child, so that the measuring process stays small.
bool WriteInChild(const Case& c, const std::string& path) {
    const pid_t child = fork();
    if (child == 0)
        _exit(WriteDrawing(c.kind, c.n, 1, path) ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// One job in this process, for profilers: valgrind --tool=callgrind
// quillform-bench --job fast FILE counts the instructions of one read.
int RunOne(const Options& options) {
    const std::map<std::string, Job> jobs = {
        {"parse", {Job::Parse, quillform::Engine::Fast}},
        {"fast", {Job::Read, quillform::Engine::Fast}},
        {"reference", {Job::Read, quillform::Engine::Reference}},
        {"fast-list", {Job::ReadAndList, quillform::Engine::Fast}}};
    const auto job = jobs.find(options.job);
    if (job == jobs.end()) {
        std::fprintf(stderr, "--job parse|fast|reference|fast-list FILE\n");
        return 2;
    }
    RunJob(job->second, options.file);
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    const Options options = Parse(argc, argv);
    if (!options.job.empty())
        return RunOne(options);
    std::printf("load average at start: %.2f\n", LoadAverage());
    std::printf(
        "processor seconds (user + system), best of %d; read = Read + quillform::CopyResults, "
        "+list = also the listing lines of quillform -q; ref = the reference engine's read\n",
        options.runs);
    std::printf("%-9s %7s %8s %7s %7s %6s %7s %6s %8s %7s %8s %8s %8s\n", "drawing", "n", "file KB",
                "floor", "read", "ratio", "+list", "ratio", "ref", "ratio", "floor KB", "read KB",
                "list KB");
    for (const Case& c : Cases(options.quick)) {
        const std::string path =
            options.dir + "/quillform-bench-" + c.kind + "-" + std::to_string(c.n) + ".dxf";
        if (!WriteInChild(c, path)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        const Measure floor = Best({Job::Parse, quillform::Engine::Fast}, path, options.runs);
        const Measure read = Best({Job::Read, quillform::Engine::Fast}, path, options.runs);
        const Measure list = Best({Job::ReadAndList, quillform::Engine::Fast}, path, options.runs);
        Measure reference;
        if (c.n <= options.referenceMax)
            reference = InChild({Job::Read, quillform::Engine::Reference}, path);
        std::printf("%-9s %7d %8ld %7.3f %7.3f %6.2f %7.3f %6.2f", c.kind.c_str(), c.n,
                    FileKb(path), floor.seconds, read.seconds, read.seconds / floor.seconds,
                    list.seconds, list.seconds / floor.seconds);
        if (reference.seconds >= 0)
            std::printf(" %8.3f %7.1f", reference.seconds, reference.seconds / floor.seconds);
        else
            std::printf(" %8s %7s", "-", "-");
        std::printf(" %8ld %8ld %8ld\n", floor.peakKb, read.peakKb, list.peakKb);
        std::fflush(stdout);
        std::remove(path.c_str());
    }
    std::printf("load average at end: %.2f\n", LoadAverage());
    return 0;
}
