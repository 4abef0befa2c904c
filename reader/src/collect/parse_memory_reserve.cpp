// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collect/parse_memory_reserve.h"

#include <atomic>
#include <cstdlib>

namespace quillform::detail {

namespace {
// Enough for the parse to reach its end once memory ran out: dxflib's own
// buffers and the few records still to come are small.
constexpr size_t kReserveBytes = 1 << 20;

int gDepth = 0; // parses under way on the parsing thread
std::atomic<void*> gReserve{nullptr};
std::new_handler gPrevious = nullptr;
std::atomic<uint64_t> gRanOut{0};

// Called by operator new when memory runs out (on any thread): the reserve
// first, then whatever handler was there before, else the usual exception.
void OnOutOfMemory() {
    ++gRanOut;
    if (void* reserve = gReserve.exchange(nullptr)) {
        std::free(reserve);
        return;
    }
    if (gPrevious) {
        gPrevious();
        return;
    }
    throw std::bad_alloc();
}
} // namespace

TParseMemoryReserve::TParseMemoryReserve() : ranOutBefore_(gRanOut.load()) {
    if (gDepth++ > 0)
        return;
    gReserve = std::malloc(kReserveBytes);
    gPrevious = std::set_new_handler(OnOutOfMemory);
}

TParseMemoryReserve::~TParseMemoryReserve() {
    if (--gDepth > 0)
        return;
    std::set_new_handler(gPrevious);
    std::free(gReserve.exchange(nullptr));
}

void TParseMemoryReserve::ThrowIfRanOut() const {
    if (gRanOut.load() != ranOutBefore_)
        throw std::bad_alloc();
}

} // namespace quillform::detail
