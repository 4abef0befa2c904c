// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/export.h"

#include <memory>

namespace quillform {

// A layer or block name owned by the record that holds it (null when unset).
using OwnedName = std::unique_ptr<char[]>;
// A copy of a NUL-terminated name; null for null.
QUILLFORM_EXPORT OwnedName CopyName(const char* name);

} // namespace quillform
