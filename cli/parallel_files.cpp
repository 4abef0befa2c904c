// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "parallel_files.h"

#include "output_file.h"
#include "worker_capture.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sched.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// A file in flight: its worker and the file of records it writes.
struct Slot {
    std::FILE* records = nullptr;
    pid_t worker = -1;
    bool done = false;
    int waitStatus = 0;
};

void Replay(int fd, ListingSink& sink) {
    ReplayCapture(fd, [&](CaptureChannel channel, const std::string& bytes) {
        switch (channel) {
        case CaptureChannel::Output:
            WriteStandardOutput(bytes);
            break;
        case CaptureChannel::Flush:
            FlushStandardOutput();
            break;
        case CaptureChannel::Error:
            std::fwrite(bytes.data(), 1, bytes.size(), stderr);
            break;
        case CaptureChannel::Listing:
            sink.Raw(bytes);
            break;
        case CaptureChannel::Document:
            sink.BeginDocument();
            break;
        case CaptureChannel::End:
            break;
        }
    });
}

std::string WhyStopped(int waitStatus) {
    if (WIFSIGNALED(waitStatus)) {
        const int signal = WTERMSIG(waitStatus);
        return "killed by signal " + std::to_string(signal) + " (" + strsignal(signal) + ")";
    }
    if (WIFEXITED(waitStatus) && WEXITSTATUS(waitStatus) != 0)
        return "exited with status " + std::to_string(WEXITSTATUS(waitStatus));
    return "ended without finishing its output";
}

// A worker reads a run of consecutive small files, so that the cost of
// starting a process (about 10 ms on some virtual machines, more than a
// small drawing takes to read) is shared; a large file has a worker of its own.
constexpr size_t kRunFiles = 16;
constexpr long long kRunBytes = 1 << 20;

// The size of a file; 0 for what has none (a pipe, a device, a file that
// cannot be opened).
long long FileSize(const std::string& file) {
    struct stat info {};
    return stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) ? info.st_size : 0;
}

class FileRunner {
public:
    FileRunner(const std::vector<std::string>& files, int jobs, ListingSink& sink,
               const FileTask& task, const LostFile& lost)
        : files_(files), jobs_(jobs), sink_(sink), task_(task), lost_(lost), slots_(files.size()) {}

    int Run() {
        while (written_ < files_.size()) {
            while (running_ < jobs_ && next_ < files_.size() && next_ - written_ < Window()) {
                const size_t end = RunEnd(next_);
                const bool started = Start(next_, end);
                next_ = end;
                if (!started)
                    break;
            }
            if (running_ > 0)
                WaitForOne();
            WriteFinished();
        }
        return exitStatus_;
    }

private:
    // Files done but not yet written wait in their record files: keep their
    // number (and the open descriptors) bounded.
    size_t Window() const { return std::max<size_t>(64, 8 * static_cast<size_t>(jobs_)); }

    // The end of the run of files that starts at first.
    size_t RunEnd(size_t first) const {
        const size_t most = std::min({files_.size(), first + kRunFiles, written_ + Window()});
        long long bytes = FileSize(files_[first]);
        size_t end = first + 1;
        while (end < most && bytes + FileSize(files_[end]) <= kRunBytes)
            bytes += FileSize(files_[end++]);
        return end;
    }

    // Starts a worker on the files [first, end); false when no process could
    // be made (the files are then read here once their turn comes).
    bool Start(size_t first, size_t end) {
        for (size_t i = first; i < end; ++i)
            if (!slots_[i].records && !(slots_[i].records = std::tmpfile()))
                return Inline(first, end);
        const pid_t worker = fork();
        if (worker < 0)
            return Inline(first, end);
        if (worker == 0)
            Work(first, end);
        for (size_t i = first; i < end; ++i)
            slots_[i].worker = worker;
        ++running_;
        return true;
    }

    // A worker's life: read the files, keep what each writes, leave at once
    // (the main process's exit handlers and buffers are not the worker's).
    [[noreturn]] void Work(size_t first, size_t end) {
        for (size_t i = first; i < end; ++i) {
            WorkerCapture capture(fileno(slots_[i].records));
            capture.Install();
            ListingSink sink(sink_, capture);
            const int status = task_(files_[i], sink);
            if (!capture.Finish(status))
                _exit(1);
        }
        _exit(0);
    }

    bool Inline(size_t first, size_t end) {
        for (size_t i = first; i < end; ++i) {
            Slot& slot = slots_[i];
            if (slot.records) {
                std::fclose(slot.records);
                slot.records = nullptr;
            }
            slot.done = true;
        }
        return false;
    }

    void WaitForOne() {
        int waitStatus = 0;
        pid_t ended = -1;
        do
            ended = waitpid(-1, &waitStatus, 0);
        while (ended < 0 && errno == EINTR);
        if (ended < 0) {
            running_ = 0;
            return;
        }
        size_t first = written_;
        while (first < next_ && (slots_[first].worker != ended || slots_[first].done))
            ++first;
        if (first == next_)
            return;
        --running_;
        size_t end = first;
        while (end < next_ && slots_[end].worker == ended && !slots_[end].done)
            ++end;
        Ended(first, end, waitStatus);
    }

    // The worker of [first, end) ended: the files it finished are done; when
    // it died, so is the one it was reading (lost), and the rest of its run
    // goes to a new worker.
    void Ended(size_t first, size_t end, int waitStatus) {
        size_t i = first;
        while (i < end && CapturedStatus(fileno(slots_[i].records)))
            slots_[i++].done = true;
        if (i == end)
            return;
        slots_[i].done = true;
        slots_[i].waitStatus = waitStatus;
        if (i + 1 < end)
            Start(i + 1, end);
    }

    void WriteFinished() {
        while (written_ < next_ && slots_[written_].done) {
            WriteOne(slots_[written_], files_[written_]);
            ++written_;
        }
    }

    void WriteOne(Slot& slot, const std::string& file) {
        int status = kSuccess;
        if (!slot.records) {
            status = task_(file, sink_);
        } else {
            const int fd = fileno(slot.records);
            const std::optional<int> captured = CapturedStatus(fd);
            if (captured) {
                Replay(fd, sink_);
                status = *captured;
            } else {
                status = lost_(file, WhyStopped(slot.waitStatus), sink_);
            }
            std::fclose(slot.records);
            slot.records = nullptr;
        }
        if (exitStatus_ == kSuccess)
            exitStatus_ = status;
    }

    const std::vector<std::string>& files_;
    const int jobs_;
    ListingSink& sink_;
    const FileTask& task_;
    const LostFile& lost_;
    std::vector<Slot> slots_;
    size_t next_ = 0;    // the first file not started
    size_t written_ = 0; // the first file whose output is not written
    int running_ = 0;
    int exitStatus_ = kSuccess;
};
} // namespace

int RunFiles(const std::vector<std::string>& files, int jobs, ListingSink& sink,
             const FileTask& task, const LostFile& lost) {
    if (jobs <= 1 || files.size() <= 1) {
        int exitStatus = kSuccess;
        for (const std::string& file : files) {
            const int status = task(file, sink);
            if (exitStatus == kSuccess)
                exitStatus = status;
        }
        return exitStatus;
    }
    return FileRunner(files, jobs, sink, task, lost).Run();
}

int ProcessorCount() {
    cpu_set_t allowed;
    if (sched_getaffinity(0, sizeof allowed, &allowed) == 0)
        return std::max(1, CPU_COUNT(&allowed));
    return std::max(1L, sysconf(_SC_NPROCESSORS_ONLN));
}
