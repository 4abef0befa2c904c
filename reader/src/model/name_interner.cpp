// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/name_interner.h"

namespace quillform::detail {

uint32_t TNameInterner::IdOf(const char* name) {
    if (!name) {
        if (nullId_ == UINT32_MAX)
            nullId_ = next_++;
        return nullId_;
    }
    const std::string_view key(name);
    if (lastId_ != UINT32_MAX && last_ == key)
        return lastId_;
    auto found = ids_.find(key);
    if (found == ids_.end())
        found = ids_.emplace(names_.emplace_back(key), next_++).first;
    last_ = found->first;
    lastId_ = found->second;
    return lastId_;
}

} // namespace quillform::detail
