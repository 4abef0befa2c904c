// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "staged_file.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace quillform::detail {
namespace {
namespace fs = std::filesystem;

// A name no other writer picks: hidden, beside the target, with a random part.
fs::path TemporaryName(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    static const unsigned seed = std::random_device{}();
    const std::string tag = std::to_string(seed) + "-" + std::to_string(counter++);
    return target.parent_path() / ("." + target.filename().string() + "." + tag + ".part");
}

std::string Reason(const std::string& what, const fs::path& path, int error) {
    return "cannot " + what + " " + path.string() + ": " + std::strerror(error);
}

// Creates the file (never an existing one) and writes the text to it.
bool WriteNew(const fs::path& path, const std::string& text, int* error) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wbx");
    if (!file) {
        *error = errno;
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    *error = errno;
    const bool closed = std::fclose(file) == 0;
    if (written && closed)
        return true;
    if (*error == 0)
        *error = errno ? errno : EIO;
    std::remove(path.c_str());
    return false;
}
} // namespace

StagedFile::StagedFile(StagedFile&& other) noexcept
    : target_(std::move(other.target_)), temporary_(std::move(other.temporary_)) {
    other.temporary_.clear();
}

StagedFile::~StagedFile() {
    if (!temporary_.empty()) {
        std::error_code ignored;
        fs::remove(temporary_, ignored);
    }
}

bool StagedFile::Write(const fs::path& target, const std::string& text, std::string* error) {
    target_ = target;
    int failure = 0;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const fs::path temporary = TemporaryName(target);
        if (WriteNew(temporary, text, &failure)) {
            temporary_ = temporary;
            return true;
        }
        if (failure != EEXIST)
            break;
    }
    *error = Reason("write", target, failure);
    return false;
}

bool StagedFile::Commit(std::string* error) {
    std::error_code failure;
    fs::rename(temporary_, target_, failure);
    if (failure) {
        *error = "cannot write " + target_.string() + ": " + failure.message();
        return false;
    }
    temporary_.clear();
    return true;
}

bool IsInput(const fs::path& target, const std::vector<fs::path>& inputs) {
    std::error_code failure;
    if (!fs::exists(target, failure))
        return false;
    for (const fs::path& input : inputs)
        if (fs::equivalent(target, input, failure))
            return true;
    return false;
}

} // namespace quillform::detail
