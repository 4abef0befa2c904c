// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace quillform::detail {

// The candidates an item still has to be tested against, taken from the
// back. One pointer wide, so that the answers kept for every item of a
// large drawing stay small: the count is stored before the ids, and an
// empty stack holds nothing at all.
class TCandidateStack {
public:
    bool Empty() const { return Size() == 0; }
    uint32_t Size() const { return ids_ ? ids_[0] : 0; }
    void Assign(const std::vector<uint32_t>& ids);
    // The last id, removed; the stack must not be empty.
    uint32_t Pop();
    void Clear() { ids_.reset(); }

private:
    std::unique_ptr<uint32_t[]> ids_;
};

} // namespace quillform::detail
