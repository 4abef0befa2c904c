// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// libFuzzer target: the input drives a small DXF generator (nested blocks,
// arrays, count groups that lie, floods, long splines); the drawing it
// writes is read through the value API, whose CPU time and peak memory must
// stay within a bound per kilobyte of the drawing. The input may also choose
// an allocation that fails: the read must then end with outOfMemory, without
// a crash or a leak.
#include "dxf_generator.h"
#include "failing_allocator.h"

#include "quillform/drawing.h"
#include "quillform/settings.h"
#include "quillform/status.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <new>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {
using namespace quillform::fuzz;

// Generated drawings stop growing here.
constexpr size_t kMaxGenerated = 64 * 1024;
// Inserts place at most this many entities, so that a few bytes of arrays
// cannot ask for work out of proportion to the drawing.
constexpr int64_t kExpansionLimit = 20000;
// What a read may cost, under the sanitizers: a fixed allowance (which also
// covers the expansion limit's worth of placed entities) and so much more
// per kilobyte of the drawing.
constexpr double kBaseSeconds = 1.0;
constexpr double kSecondsPerKilobyte = 0.05;
constexpr int64_t kBaseBytes = 64 << 20;
constexpr int64_t kBytesPerKilobyte = 1 << 20;

struct TRun {
    quillform::Settings settings;
    uint64_t failAt = 0; // 0: every allocation succeeds
};

// The first bytes choose the settings and the allocation that fails.
TRun ReadRun(TByteReader& in) {
    TRun run;
    const uint8_t bits = in.Byte();
    const double distances[] = {0, 0.001, 1, 25};
    run.settings.accurate = bits & 1;
    run.settings.openMode = (bits >> 1 & 3) % 3;
    run.settings.mixLayers = bits >> 3 & 1;
    run.settings.holesAcrossLayers = bits >> 4 & 1;
    run.settings.distance = distances[bits >> 5 & 3];
    run.settings.expansionLimit = kExpansionLimit;
    const uint8_t failing = in.Byte();
    if ((failing & 3) == 1)
        run.failAt = 1 + in.Number(3) % 200000;
    return run;
}

// The drawing lives in a memory file that the reader opens by path.
std::string WriteInput(const std::string& text) {
    static int fd = memfd_create("quillform-generated", 0);
    if (fd < 0 || ftruncate(fd, 0) != 0 ||
        pwrite(fd, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size()))
        std::abort();
    return "/proc/self/fd/" + std::to_string(fd);
}

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

[[noreturn]] void Fail(const char* what, const std::string& text) {
    std::fprintf(stderr, "%s (a drawing of %zu bytes)\n", what, text.size());
    std::abort();
}

void CheckCost(double seconds, int64_t bytes, const std::string& text) {
    const double kilobytes = static_cast<double>(text.size()) / 1024;
    if (std::getenv("QUILLFORM_FUZZ_COSTS"))
        std::fprintf(stderr, "cost: %.1f KB %.4f s %.2f MB\n", kilobytes, seconds,
                     static_cast<double>(bytes) / (1 << 20));
    if (seconds > kBaseSeconds + kSecondsPerKilobyte * kilobytes)
        Fail("the read took too long for its size", text);
    if (static_cast<double>(bytes) >
        static_cast<double>(kBaseBytes) + static_cast<double>(kBytesPerKilobyte) * kilobytes)
        Fail("the read held too much memory for its size", text);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TByteReader in(data, size);
    const TRun run = ReadRun(in);
    const std::string text = GenerateDrawing(in, kMaxGenerated);
    const std::filesystem::path path = WriteInput(text);
    const int64_t before = AllocatedBytes();
    ResetAllocationPeak();
    const double start = CpuSeconds();
    FailAllocation(run.failAt);
    int32_t status = 0;
    size_t layers = 0;
    try {
        const quillform::Drawing drawing = quillform::ReadDrawing(path, run.settings);
        status = drawing.status;
        layers = drawing.layers.size();
    } catch (const std::bad_alloc&) {
        AllocationFailed();
        Fail("a failed allocation escaped the read", text);
    }
    const bool failed = AllocationFailed();
    if (failed && !(status & stOutOfMemory))
        Fail("an allocation failed but the read did not end with outOfMemory", text);
    if (failed && layers != 0)
        Fail("a read that ran out of memory kept layers", text);
    if (!failed)
        CheckCost(CpuSeconds() - start, AllocationPeak() - before, text);
    return 0;
}
