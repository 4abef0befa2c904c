// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "classify/candidate_stack.h"

#include <algorithm>

namespace quillform::detail {

void TCandidateStack::Assign(const std::vector<uint32_t>& ids) {
    if (ids.empty()) {
        ids_.reset();
        return;
    }
    std::unique_ptr<uint32_t[]> copy(new uint32_t[ids.size() + 1]);
    copy[0] = static_cast<uint32_t>(ids.size());
    std::copy(ids.begin(), ids.end(), copy.get() + 1);
    ids_ = std::move(copy);
}

uint32_t TCandidateStack::Pop() {
    const uint32_t id = ids_[ids_[0]];
    if (--ids_[0] == 0)
        ids_.reset();
    return id;
}

} // namespace quillform::detail
