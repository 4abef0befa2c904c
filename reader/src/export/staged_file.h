// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quillform::detail {

// A file made under a temporary name beside its final one and renamed into
// place only when complete, so that a failure never leaves part of a file
// (nor a damaged older one) behind. The temporary file is removed unless it
// was renamed.
class StagedFile {
public:
    StagedFile() = default;
    StagedFile(StagedFile&& other) noexcept;
    StagedFile& operator=(StagedFile&&) = delete;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    ~StagedFile();

    // Writes the text to a new temporary file in the target's folder.
    bool Write(const std::filesystem::path& target, const std::string& text, std::string* error);
    // Renames it into place, replacing any file of the target's name.
    bool Commit(std::string* error);

    const std::filesystem::path& Target() const { return target_; }

private:
    std::filesystem::path target_, temporary_;
};

// Whether the target is one of the input files (the same file, by whatever
// name or link it is reached).
bool IsInput(const std::filesystem::path& target, const std::vector<std::filesystem::path>& inputs);

} // namespace quillform::detail
