// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/owned_name.h"

#include <cstring>

namespace quillform {

OwnedName CopyName(const char* name) {
    if (!name)
        return nullptr;
    const size_t size = std::strlen(name) + 1;
    OwnedName copy(new char[size]);
    std::memcpy(copy.get(), name, size);
    return copy;
}

} // namespace quillform
