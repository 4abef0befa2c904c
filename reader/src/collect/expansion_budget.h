// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <stdexcept>

namespace quillform::detail {

// How many entities block inserts may still produce in one read. A small
// file can insert a large block many times over; past the budget the read
// stops at once (TExpansionLimitReached) instead of growing until memory
// runs out. Every copy of an entity costs one, a copied polyline one more
// per vertex. Owned by the read; whatever expands blocks spends from it.
class TExpansionBudget {
public:
    static constexpr int64_t kDefaultLimit = 10'000'000;

    explicit TExpansionBudget(int64_t limit) : limit_(limit), left_(limit) {}

    // Takes count entities from the budget, or throws when that would exceed it.
    void Spend(int64_t count);

    int64_t Limit() const { return limit_; }
    int64_t Left() const { return left_; }

private:
    int64_t limit_;
    int64_t left_;
};

struct TExpansionLimitReached : std::runtime_error {
    explicit TExpansionLimitReached(int64_t limit);
    int64_t limit;
};

// The memory a read may count on, in bytes, as far as the machine tells:
// the kernel's estimate of available memory, the process's address space
// limit and the memory limit of its control group. -1 where one is unknown
// or unlimited.
struct TMemoryFigures {
    int64_t available = -1;    // MemAvailable of /proc/meminfo
    int64_t addressSpace = -1; // RLIMIT_AS less what the process already maps
    int64_t controlGroup = -1; // memory.max less memory.current (cgroup v2)
};

// The budget for the given memory: the default limit, lowered so that the
// copies (about kBytesPerEntity each through linking and classification)
// fit into half of the smallest figure.
int64_t ExpansionLimitFor(const TMemoryFigures& memory);
constexpr int64_t kBytesPerEntity = 512;

// The figures of this machine and process, read now.
TMemoryFigures CurrentMemoryFigures();

} // namespace quillform::detail
