// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quillform::detail {

// Gives every distinct name a small number, so that "same layer" is an
// integer compare. Null is a name of its own.
class TNameInterner {
public:
    uint32_t IdOf(const char* name);
    uint32_t Count() const { return next_; }

private:
    std::deque<std::string> names_; // the keys point into these copies
    std::string_view last_;         // entities come in runs of one layer
    uint32_t lastId_ = UINT32_MAX;
    std::unordered_map<std::string_view, uint32_t> ids_;
    uint32_t nullId_ = UINT32_MAX;
    uint32_t next_ = 0;
};

} // namespace quillform::detail
