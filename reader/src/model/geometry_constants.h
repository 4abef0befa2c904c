// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace quillform::detail {

// The one value of pi used everywhere, so that every angle conversion rounds alike.
constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;

} // namespace quillform::detail
