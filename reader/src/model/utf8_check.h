// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace quillform::detail {

// Whether the bytes up to the terminator are well-formed UTF-8 (no overlong
// forms, no surrogates).
bool IsUtf8(const char* text);

} // namespace quillform::detail
