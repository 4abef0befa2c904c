// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/name_interner.h"

uint32_t TNameInterner::IdOf(const char* name) {
    if (!name) {
        if (nullId_ == UINT32_MAX)
            nullId_ = next_++;
        return nullId_;
    }
    const auto found = ids_.find(name);
    if (found != ids_.end())
        return found->second;
    ids_.emplace(names_.emplace_back(name), next_);
    return next_++;
}
