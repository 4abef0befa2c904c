// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collect/expansion_budget.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace quillform::detail {

TExpansionLimitReached::TExpansionLimitReached(int64_t limit)
    : std::runtime_error("block inserts would produce more than " + std::to_string(limit) +
                         " entities"),
      limit(limit) {}

void TExpansionBudget::Spend(int64_t count) {
    if (count > left_)
        throw TExpansionLimitReached(limit_);
    left_ -= count;
}

int64_t ExpansionLimitFor(const TMemoryFigures& memory) {
    int64_t limit = TExpansionBudget::kDefaultLimit;
    for (const int64_t bytes : {memory.available, memory.addressSpace, memory.controlGroup})
        if (bytes >= 0)
            limit = std::min(limit, bytes / 2 / kBytesPerEntity);
    return limit;
}

namespace {
// The first number in a file, or -1 ("max" and unreadable files included).
int64_t FirstNumber(const char* path) {
    std::ifstream in(path);
    int64_t value = -1;
    return in >> value ? value : -1;
}

int64_t MemAvailable() {
    std::ifstream in("/proc/meminfo");
    std::string key;
    int64_t kilobytes = 0;
    std::string unit;
    while (in >> key >> kilobytes >> unit)
        if (key == "MemAvailable:")
            return kilobytes * 1024;
    return -1;
}

int64_t AddressSpaceLeft() {
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return -1;
    const int64_t pages = FirstNumber("/proc/self/statm");
    const int64_t used = pages < 0 ? 0 : pages * sysconf(_SC_PAGESIZE);
    return std::max<int64_t>(0, static_cast<int64_t>(limit.rlim_cur) - used);
}

int64_t ControlGroupLeft() {
    // The process's own group; a container usually sees its group at the root.
    const int64_t max = FirstNumber("/sys/fs/cgroup/memory.max");
    if (max < 0)
        return -1;
    return std::max<int64_t>(
        0, max - std::max<int64_t>(0, FirstNumber("/sys/fs/cgroup/memory.current")));
}
} // namespace

TMemoryFigures CurrentMemoryFigures() {
    return TMemoryFigures{MemAvailable(), AddressSpaceLeft(), ControlGroupLeft()};
}

} // namespace quillform::detail
