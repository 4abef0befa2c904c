// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "worker.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {
// The child's environment: the server's, with TMPDIR pointing at its folder
// (anything it spools stays private and is removed with the folder).
std::vector<std::string> ChildEnvironment(const std::filesystem::path& folder) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry)
        if (std::strncmp(*entry, "TMPDIR=", 7) != 0)
            entries.emplace_back(*entry);
    entries.push_back("TMPDIR=" + folder.string());
    return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

void Limit(int resource, int64_t value) {
    const rlimit limit{static_cast<rlim_t>(value), static_cast<rlim_t>(value)};
    setrlimit(resource, &limit);
}

// Between fork and exec only async-signal-safe calls.
[[noreturn]] void BecomeWorker(char* const* argv, char* const* envp, const char* folder, int out,
                               int err, const WorkerLimits& limits, int64_t cpuSeconds) {
    setpgid(0, 0);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    signal(SIGPIPE, SIG_DFL);
    if (limits.addressSpace > 0)
        Limit(RLIMIT_AS, limits.addressSpace);
    Limit(RLIMIT_CPU, cpuSeconds);
    Limit(RLIMIT_FSIZE, limits.outputBytes);
    Limit(RLIMIT_CORE, 0);
    const int in = open("/dev/null", O_RDONLY);
    if (in < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(folder) != 0)
        _exit(127);
    // Nothing of the server's (listening socket, connections) is handed on.
    if (syscall(SYS_close_range, 3U, ~0U, 0U) != 0)
        for (int fd = 3; fd < 1024; ++fd)
            close(fd);
    execve(argv[0], argv, envp);
    _exit(127);
}

// Waits for the child until the deadline; false when it is still running.
bool WaitUntil(pid_t pid, int& status, std::chrono::steady_clock::time_point deadline) {
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR)) {
            if (pidfd >= 0)
                close(pidfd);
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            if (pidfd >= 0)
                close(pidfd);
            return false;
        }
        if (pidfd >= 0) {
            pollfd ready{pidfd, POLLIN, 0};
            poll(&ready, 1, static_cast<int>(std::min<int64_t>(left.count(), 1000)));
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
}

std::string Slurp(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
} // namespace

bool AddressLimitUsable() {
#if defined(__SANITIZE_ADDRESS__)
    return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return false;
#else
    return true;
#endif
#else
    return true;
#endif
}

WorkerOutcome RunWorker(const std::vector<std::string>& argv, const std::filesystem::path& folder,
                        const WorkerLimits& limits) {
    WorkerOutcome outcome;
    std::vector<std::string> args = argv;
    std::vector<std::string> environment = ChildEnvironment(folder);
    const std::vector<char*> argp = Pointers(args);
    const std::vector<char*> envp = Pointers(environment);
    const std::string where = folder.string();
    const std::filesystem::path outFile = folder / "stdout", errFile = folder / "stderr";
    const int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    const int64_t cpuSeconds = static_cast<int64_t>(limits.seconds) + 2;
    const pid_t pid = out < 0 || err < 0 ? -1 : fork();
    if (pid == 0)
        BecomeWorker(argp.data(), envp.data(), where.c_str(), out, err, limits, cpuSeconds);
    const int forkError = errno;
    if (out >= 0)
        close(out);
    if (err >= 0)
        close(err);
    if (pid < 0) {
        outcome.startError = std::strerror(forkError);
        return outcome;
    }
    setpgid(pid, pid); // also here, so that the kill below cannot miss the group
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                              std::chrono::duration<double>(limits.seconds));
    int status = 0;
    if (!WaitUntil(pid, status, deadline)) {
        kill(-pid, SIGKILL);
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        outcome.end = WorkerOutcome::End::TimedOut;
    } else if (WIFEXITED(status)) {
        outcome.end = WorkerOutcome::End::Exited;
        outcome.exitStatus = WEXITSTATUS(status);
    } else {
        outcome.end = WorkerOutcome::End::Signalled;
        outcome.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
    outcome.out = Slurp(outFile);
    outcome.err = Slurp(errFile);
    return outcome;
}
