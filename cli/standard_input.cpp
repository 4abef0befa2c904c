// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "standard_input.h"

#include "descriptor_io.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
int64_t gLimit = kDefaultStandardInputLimit;

std::string TemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}

// The copy of standard input, made once; its descriptor stays open until
// the program ends, which frees the file.
class StandardInputCopy {
public:
    const std::string& Path() {
        if (!made_)
            Make();
        made_ = true;
        return path_;
    }
    const std::string& Problem() const { return problem_; }

private:
    void Make() {
        // A closed standard input cannot be read (and the copy would take its number).
        if (fcntl(STDIN_FILENO, F_GETFD) < 0)
            return;
        std::string name = TemporaryFolder() + "/quillform-stdin-XXXXXX";
        const int fd = mkstemp(name.data());
        if (fd < 0) {
            Fail(std::strerror(errno));
            return;
        }
        unlink(name.c_str());
        if (!Copy(fd)) {
            close(fd);
            return;
        }
        path_ = "/proc/self/fd/" + std::to_string(fd);
    }

    // Copies what can be read from standard input to fd, up to its end or the limit.
    bool Copy(int fd) {
        char buffer[64 * 1024];
        int64_t total = 0;
        for (;;) {
            const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return Fail(std::strerror(errno), "cannot read standard input: ");
            if (got == 0)
                return true;
            total += got;
            if (total > gLimit) {
                problem_ = "standard input is longer than " + std::to_string(gLimit) +
                           " bytes, the limit of --stdin-limit";
                return false;
            }
            if (!WriteAll(fd, buffer, static_cast<size_t>(got)))
                return Fail(std::strerror(errno ? errno : EIO));
        }
    }

    bool Fail(const char* reason, const char* what = nullptr) {
        problem_ = what ? std::string(what) + reason
                        : "cannot copy standard input to " + TemporaryFolder() + ": " + reason;
        return false;
    }

    bool made_ = false;
    std::string path_;
    std::string problem_;
};

StandardInputCopy& TheCopy() {
    static StandardInputCopy copy;
    return copy;
}
} // namespace

bool IsStandardInput(const std::string& file) {
    return file == "-";
}

void SetStandardInputLimit(int64_t bytes) {
    gLimit = bytes;
}

std::string InputPath(const std::string& file) {
    return IsStandardInput(file) ? TheCopy().Path() : file;
}

std::string StandardInputProblem() {
    return TheCopy().Problem();
}
