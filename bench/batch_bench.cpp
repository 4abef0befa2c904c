// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// quillform-batch-bench [--runs R] [--jobs N] FILE...: reads the files with
// ReadDrawing one after the other, on N threads, and in N forked processes
// (files dealt out in turn), and prints the wall time of each (best of R)
// and the speed-up over one after the other: whether threads scale while
// the parse holds its process-wide lock.
#include "quillform/drawing.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

size_t ReadOne(const std::string& file) {
    const quillform::Drawing drawing = quillform::ReadDrawing(file);
    size_t shapes = 0;
    for (const quillform::Layer& layer : drawing.layers)
        shapes += layer.shapes.size();
    return shapes;
}

void Sequential(const std::vector<std::string>& files, int) {
    for (const std::string& file : files)
        ReadOne(file);
}

void Threads(const std::vector<std::string>& files, int jobs) {
    std::atomic<size_t> next{0};
    std::vector<std::thread> threads;
    for (int j = 0; j < jobs; ++j)
        threads.emplace_back([&] {
            for (size_t i; (i = next++) < files.size();)
                ReadOne(files[i]);
        });
    for (std::thread& thread : threads)
        thread.join();
}

void Processes(const std::vector<std::string>& files, int jobs) {
    std::vector<pid_t> workers;
    for (int j = 0; j < jobs; ++j) {
        const pid_t worker = fork();
        if (worker == 0) {
            for (size_t i = static_cast<size_t>(j); i < files.size();
                 i += static_cast<size_t>(jobs))
                ReadOne(files[i]);
            _exit(0);
        }
        workers.push_back(worker);
    }
    for (pid_t worker : workers)
        waitpid(worker, nullptr, 0);
}

double Best(const std::function<void(const std::vector<std::string>&, int)>& run,
            const std::vector<std::string>& files, int jobs, int runs) {
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        const Clock::time_point start = Clock::now();
        run(files, jobs);
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}
} // namespace

int main(int argc, char** argv) {
    int runs = 3, jobs = 2;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--jobs") == 0 && i + 1 < argc)
            jobs = std::atoi(argv[++i]);
        else
            files.emplace_back(argv[i]);
    }
    if (files.empty() || runs < 1 || jobs < 1) {
        std::fprintf(stderr, "usage: %s [--runs R] [--jobs N] FILE...\n", argv[0]);
        return 2;
    }
    const double one = Best(Sequential, files, 1, runs);
    const double threads = Best(Threads, files, jobs, runs);
    const double processes = Best(Processes, files, jobs, runs);
    std::printf("%zu files, best of %d, %d jobs\n", files.size(), runs, jobs);
    std::printf("one after the other  %8.3f s\n", one);
    std::printf("%d threads            %8.3f s  %.2fx\n", jobs, threads, one / threads);
    std::printf("%d processes          %8.3f s  %.2fx\n", jobs, processes, one / processes);
    return 0;
}
