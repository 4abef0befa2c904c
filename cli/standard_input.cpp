// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "standard_input.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {
bool WriteAll(int fd, const char* bytes, size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// Copies what can be read from standard input to fd, up to its end.
bool CopyStandardInput(int fd) {
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (!WriteAll(fd, buffer, static_cast<size_t>(got)))
            return false;
    }
}

std::string TemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}

// The copy of standard input, made once and removed at exit.
class StandardInputCopy {
public:
    ~StandardInputCopy() {
        if (!path_.empty())
            unlink(path_.c_str());
    }
    const std::string& Path() {
        if (!made_)
            Make();
        made_ = true;
        return path_;
    }

private:
    void Make() {
        // A closed standard input cannot be read (and the copy would take its number).
        if (fcntl(STDIN_FILENO, F_GETFD) < 0)
            return;
        std::string name = TemporaryFolder() + "/quillform-stdin-XXXXXX";
        const int fd = mkstemp(name.data());
        if (fd < 0)
            return;
        const bool copied = CopyStandardInput(fd);
        if (close(fd) == 0 && copied)
            path_ = name;
        else
            unlink(name.c_str());
    }

    bool made_ = false;
    std::string path_;
};
} // namespace

bool IsStandardInput(const std::string& file) {
    return file == "-";
}

std::string InputPath(const std::string& file) {
    static StandardInputCopy copy;
    return IsStandardInput(file) ? copy.Path() : file;
}
