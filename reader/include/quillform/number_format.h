// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/export.h"

#include <string>

// General format with at most 15 significant digits: fixed notation for
// 0.0001 <= |x| < 1e15 (and 0), otherwise mantissa, "E" and an exponent
// without leading zeros or plus sign (1.5E-7, 1E20). The decimal separator
// is the caller's (the locale's in the window, '.' on the command line).
namespace quillform {

QUILLFORM_EXPORT std::wstring FormatNumber(double value, wchar_t decimalSeparator = L'.');
QUILLFORM_EXPORT std::wstring FormatInt(long long value);

} // namespace quillform
