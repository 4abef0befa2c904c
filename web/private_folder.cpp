// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "private_folder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

PrivateFolder::PrivateFolder(const std::filesystem::path& parent) {
    std::string pattern = (parent / "quillform-web.XXXXXX").string();
    if (mkdtemp(pattern.data()))
        path_ = pattern;
    else
        error_ =
            "cannot make a temporary folder in " + parent.string() + ": " + std::strerror(errno);
}

PrivateFolder::~PrivateFolder() {
    if (path_.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}
