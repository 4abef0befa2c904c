// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <new>

namespace quillform::detail {

// dxflib is not safe against exceptions (an allocation that fails inside it
// can leave a pointer that its destructor frees twice), and it reads numbers
// through std::istringstream, which swallows std::bad_alloc into a wrong
// value. So while it parses, memory running out must not throw: a new-handler
// gives back a reserve set aside for the purpose and notes it, the parse
// finishes, and ThrowIfRanOut fails the read afterwards. Only one parse runs
// at a time (the caller holds the parsing lock); a nested parse on the same
// thread shares the outer one's reserve.
class TParseMemoryReserve {
public:
    TParseMemoryReserve();
    ~TParseMemoryReserve();
    TParseMemoryReserve(const TParseMemoryReserve&) = delete;
    TParseMemoryReserve& operator=(const TParseMemoryReserve&) = delete;

    // Throws std::bad_alloc if memory ran out since this reserve was made.
    void ThrowIfRanOut() const;

private:
    uint64_t ranOutBefore_;
};

} // namespace quillform::detail
