// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "failing_allocator.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

// With the sanitizers, where the chosen allocation failed is shown when
// QUILLFORM_FUZZ_TRACE is set.
extern "C" void __sanitizer_print_stack_trace() __attribute__((weak));

namespace quillform::fuzz {
namespace {
std::atomic<int64_t> gLive{0};
std::atomic<int64_t> gPeak{0};
std::atomic<uint64_t> gFailAt{0};
std::atomic<uint64_t> gCount{0};
std::atomic<bool> gFailed{false};

void Held(void* memory) {
    const int64_t now = gLive += static_cast<int64_t>(malloc_usable_size(memory));
    int64_t peak = gPeak.load();
    while (now > peak && !gPeak.compare_exchange_weak(peak, now)) {
    }
}

// Whether this allocation is the one chosen to fail.
bool ChosenToFail() {
    const uint64_t failAt = gFailAt.load();
    if (failAt == 0 || ++gCount != failAt)
        return false;
    gFailed = true;
    if (__sanitizer_print_stack_trace && std::getenv("QUILLFORM_FUZZ_TRACE"))
        __sanitizer_print_stack_trace();
    return true;
}

// As operator new does when memory runs out: the new-handler, if there is
// one, may make memory available (then the allocation is tried again) or throw.
void* Allocate(std::size_t size, std::size_t alignment) {
    if (ChosenToFail()) {
        const std::new_handler handler = std::get_new_handler();
        if (!handler)
            throw std::bad_alloc();
        handler();
    }
    size = size == 0 ? 1 : size;
    void* memory = nullptr;
    if (alignment <= alignof(std::max_align_t))
        memory = std::malloc(size);
    else if (posix_memalign(&memory, alignment, size) != 0)
        memory = nullptr;
    if (memory)
        Held(memory);
    return memory;
}

void* AllocateOrThrow(std::size_t size, std::size_t alignment) {
    void* memory = Allocate(size, alignment);
    if (!memory)
        throw std::bad_alloc();
    return memory;
}

void* AllocateOrNull(std::size_t size, std::size_t alignment) noexcept {
    try {
        return Allocate(size, alignment);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void Release(void* memory) noexcept {
    if (!memory)
        return;
    gLive -= static_cast<int64_t>(malloc_usable_size(memory));
    std::free(memory);
}
} // namespace

int64_t AllocatedBytes() {
    return gLive.load();
}
int64_t AllocationPeak() {
    return gPeak.load();
}
void ResetAllocationPeak() {
    gPeak = gLive.load();
}

void FailAllocation(uint64_t failAt) {
    gFailed = false;
    gCount = 0;
    gFailAt = failAt;
}

bool AllocationFailed() {
    gFailAt = 0;
    return gFailed.load();
}

uint64_t AllocationsSinceArmed() {
    return gCount.load();
}

} // namespace quillform::fuzz

using quillform::fuzz::AllocateOrNull;
using quillform::fuzz::AllocateOrThrow;
using quillform::fuzz::Release;
constexpr std::size_t kPlain = alignof(std::max_align_t);

void* operator new(std::size_t size) {
    return AllocateOrThrow(size, kPlain);
}
void* operator new[](std::size_t size) {
    return AllocateOrThrow(size, kPlain);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return AllocateOrThrow(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return AllocateOrThrow(size, static_cast<std::size_t>(alignment));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size, kPlain);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size, kPlain);
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size, static_cast<std::size_t>(alignment));
}

void operator delete(void* memory) noexcept {
    Release(memory);
}
void operator delete[](void* memory) noexcept {
    Release(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    Release(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    Release(memory);
}
void operator delete(void* memory, std::align_val_t) noexcept {
    Release(memory);
}
void operator delete[](void* memory, std::align_val_t) noexcept {
    Release(memory);
}
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
    Release(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept {
    Release(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
    Release(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    Release(memory);
}
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
    Release(memory);
}
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
    Release(memory);
}
