// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/diagnostics.h"

#include <cstdint>
#include <string>

class Test_CreationClass;

namespace quillform::detail {

// Lets dxflib read the file (path as the file system's bytes) into the
// collector, through the input filter. Returns status bits: stReadError
// when the file cannot be opened (the collector then receives nothing),
// stNotDrawing when it holds no DXF drawing (empty, binary DXF, no
// section), stTruncated when it ends before its EOF marker. What the filter
// had to mend is counted in report, if one is given.
int32_t ParseDxf(const std::string& path, Test_CreationClass& collector,
                 quillform::Diagnostics* report = nullptr);

// The same, true when the file could be opened.
bool ParseDxfFile(const wchar_t* fileName, Test_CreationClass& collector);
bool ParseDxfPath(const std::string& path, Test_CreationClass& collector);

} // namespace quillform::detail
