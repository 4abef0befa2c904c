// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>
#include <string>

// A folder only this process can read (mode 0700, a name mkdtemp chose),
// removed with everything in it when the object goes, however the request
// that made it ends.
class PrivateFolder {
public:
    // Made inside `parent`; Ok() says whether it was.
    explicit PrivateFolder(const std::filesystem::path& parent);
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    bool Ok() const { return !path_.empty(); }
    const std::string& Error() const { return error_; }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    std::string error_;
};
