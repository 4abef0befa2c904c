// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// A replacement of the global operator new for the fuzz targets and the
// allocation-failure test (linked only into those): it counts the bytes
// that new holds, with their peak, and can make one chosen allocation fail
// as if memory had run out.
#include <cstddef>
#include <cstdint>

namespace quillform::fuzz {

// The bytes operator new holds now, and the most it has held since the last
// ResetAllocationPeak.
int64_t AllocatedBytes();
int64_t AllocationPeak();
void ResetAllocationPeak();

// From now on, the failAt-th allocation through operator new (1 the next
// one) throws std::bad_alloc (the nothrow forms return null); later ones
// succeed again, as they would after a large allocation failed. 0 disarms.
void FailAllocation(uint64_t failAt);
// Disarms; whether the chosen allocation failed since FailAllocation.
bool AllocationFailed();
// Allocations through operator new since FailAllocation.
uint64_t AllocationsSinceArmed();

} // namespace quillform::fuzz
