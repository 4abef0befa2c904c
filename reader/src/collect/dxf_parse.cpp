// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collect/dxf_parse.h"

#include "collect/collector.h"
#include "quillform/wide_names.h"

#include <dl_dxf.h>

#include <clocale>
#include <filesystem>
#include <string>
#include <system_error>

bool ParseDxfFile(const wchar_t* fileName, Test_CreationClass& collector) {
    return ParseDxfPath(NarrowPath(fileName), collector);
}

bool ParseDxfPath(const std::string& path, Test_CreationClass& collector) {
    // dxflib opens a directory without complaint and then reads nothing; that
    // is a file that cannot be read, not an empty drawing.
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return false;
    // dxflib sets the global locale to "C" while it reads and then back to the
    // C++ global locale, which also resets the C library's locale; keep the
    // host's setting.
    const std::string hostLocale = std::setlocale(LC_ALL, nullptr);
    DL_Dxf parser;
    const bool opened = parser.in(path, &collector);
    std::setlocale(LC_ALL, hostLocale.c_str());
    return opened;
}
