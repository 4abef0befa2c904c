// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "output_file.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string Folder(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The temporary file being written, for a signal that ends the program:
// the handler removes it (with calls safe in a signal handler only) and then
// ends the program as the signal would have.
char gPendingTemporary[PATH_MAX];
volatile sig_atomic_t gHasPending = 0;

extern "C" void RemovePendingAndStop(int signalNumber) {
    if (gHasPending)
        unlink(gPendingTemporary);
    raise(signalNumber); // the handler was reset: the default action, once this returns
}

const int kStoppingSignals[] = {SIGINT, SIGTERM, SIGHUP};

void WatchStoppingSignals() {
    static bool watching = false;
    if (watching)
        return;
    watching = true;
    struct sigaction action {};
    action.sa_handler = RemovePendingAndStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (const int signalNumber : kStoppingSignals) {
        struct sigaction old {};
        // A signal the caller ignores (nohup) stays ignored.
        if (sigaction(signalNumber, nullptr, &old) == 0 && old.sa_handler != SIG_IGN)
            sigaction(signalNumber, &action, nullptr);
    }
}

// Blocks the stopping signals while it lives, so that a temporary file is
// never made without being noted.
class TSignalsHeld {
public:
    TSignalsHeld() {
        sigset_t held;
        sigemptyset(&held);
        for (const int signalNumber : kStoppingSignals)
            sigaddset(&held, signalNumber);
        sigprocmask(SIG_BLOCK, &held, &before_);
    }
    ~TSignalsHeld() { sigprocmask(SIG_SETMASK, &before_, nullptr); }

private:
    sigset_t before_;
};

void NotePending(const std::string& name) {
    gHasPending = 0;
    if (name.size() >= sizeof gPendingTemporary)
        return;
    std::memcpy(gPendingTemporary, name.c_str(), name.size() + 1);
    gHasPending = 1;
}

// A path whose symbolic links lead nowhere yet (a dangling link): the path
// they lead to, where the file is to be made. False (errno ELOOP) for links
// that go round in a circle.
bool FollowLinks(std::string path, std::string* destination) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            *destination = path;
            return true;
        }
        char link[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), link, sizeof link - 1);
        if (length < 0)
            return false;
        const std::string to(link, static_cast<size_t>(length));
        path = to.front() == '/' ? to : Folder(path) + "/" + to;
    }
    errno = ELOOP;
    return false;
}

// What a newly created file gets: read and write for all, less the umask.
mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}
} // namespace

TOutputFile::TOutputFile(std::string target) : target_(std::move(target)) {}

TOutputFile::~TOutputFile() {
    Discard();
}

void TOutputFile::Discard() {
    if (stream_)
        std::fclose(stream_);
    stream_ = nullptr;
    if (!temporary_.empty()) {
        gHasPending = 0;
        std::remove(temporary_.c_str());
    }
    temporary_.clear();
}

bool TOutputFile::Fail(int errorNumber) {
    error_ = "cannot write '" + target_ + "': " + std::strerror(errorNumber);
    Discard();
    return false;
}

bool TOutputFile::Open() {
    struct stat info {};
    mode_t mode = NewFileMode();
    destination_ = target_;
    if (stat(target_.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return Fail(EISDIR);
        if (!S_ISREG(info.st_mode)) {
            stream_ = std::fopen(target_.c_str(), "wb");
            return stream_ ? true : Fail(errno);
        }
        // Through a symbolic link the file it points to is replaced, not the link.
        char resolved[PATH_MAX];
        if (realpath(target_.c_str(), resolved))
            destination_ = resolved;
        mode = info.st_mode & 07777;
    } else if (errno == ELOOP || !FollowLinks(target_, &destination_)) {
        return Fail(errno);
    }
    WatchStoppingSignals();
    std::string name = Folder(destination_) + "/." + BaseName(destination_) + ".XXXXXX";
    const TSignalsHeld held;
    const int fd = mkstemp(name.data());
    if (fd < 0)
        return Fail(errno);
    temporary_ = name;
    NotePending(name);
    stream_ = fdopen(fd, "wb");
    if (!stream_) {
        const int error = errno;
        close(fd);
        return Fail(error);
    }
    if (fchmod(fd, mode) != 0)
        return Fail(errno);
    return true;
}

bool TOutputFile::Write(const std::string& bytes) {
    if (!stream_)
        return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) == bytes.size())
        return true;
    if (writeError_ == 0)
        writeError_ = errno ? errno : EIO;
    return false;
}

bool TOutputFile::Commit() {
    if (!stream_)
        return false;
    if (writeError_ != 0)
        return Fail(writeError_);
    errno = 0;
    if (std::fflush(stream_) != 0 || std::ferror(stream_))
        return Fail(errno ? errno : EIO);
    if (!temporary_.empty() && fsync(fileno(stream_)) != 0)
        return Fail(errno);
    std::FILE* stream = stream_;
    stream_ = nullptr;
    if (std::fclose(stream) != 0)
        return Fail(errno);
    if (!temporary_.empty() && std::rename(temporary_.c_str(), destination_.c_str()) != 0)
        return Fail(errno);
    gHasPending = 0;
    temporary_.clear();
    return true;
}

bool IsOneOfTheInputs(const std::string& path, const std::vector<std::string>& inputs) {
    struct stat output {};
    if (stat(path.c_str(), &output) != 0)
        return false;
    for (const std::string& input : inputs) {
        struct stat info {};
        // "-" is standard input, whatever file it comes from.
        const int found = input == "-" ? fstat(STDIN_FILENO, &info) : stat(input.c_str(), &info);
        if (found == 0 && info.st_dev == output.st_dev && info.st_ino == output.st_ino)
            return true;
    }
    return false;
}

namespace {
int gStandardOutputError = 0;
void (*gFlushWatcher)() = nullptr;

void NoteStandardOutputError() {
    if (gStandardOutputError == 0)
        gStandardOutputError = errno ? errno : EIO;
}
} // namespace

void WriteStandardOutput(const std::string& bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size())
        NoteStandardOutputError();
}

void FlushStandardOutput() {
    errno = 0;
    if (std::fflush(stdout) != 0)
        NoteStandardOutputError();
    if (gFlushWatcher)
        gFlushWatcher();
}

void WatchStandardOutputFlushes(void (*watcher)()) {
    gFlushWatcher = watcher;
}

bool FinishStandardOutput(std::string* error) {
    FlushStandardOutput();
    if (std::ferror(stdout))
        NoteStandardOutputError();
    if (gStandardOutputError == 0)
        return true;
    *error = std::string("cannot write to standard output: ") + std::strerror(gStandardOutputError);
    return false;
}
