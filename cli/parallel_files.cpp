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
            sink.Document(nlohmann::ordered_json::from_cbor(bytes));
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

class FileRunner {
public:
    FileRunner(const std::vector<std::string>& files, int jobs, ListingSink& sink,
               const FileTask& task, const LostFile& lost)
        : files_(files), jobs_(jobs), sink_(sink), task_(task), lost_(lost), slots_(files.size()) {}

    int Run() {
        // Files done but not yet written wait in their record files: keep
        // their number (and the open descriptors) bounded.
        const size_t window = std::max<size_t>(16, 4 * static_cast<size_t>(jobs_));
        while (written_ < files_.size()) {
            while (running_ < jobs_ && next_ < files_.size() && next_ - written_ < window)
                if (!Start(next_++))
                    break;
            if (running_ > 0)
                WaitForOne();
            WriteFinished();
        }
        return exitStatus_;
    }

private:
    // Starts a worker on file index; false when no process could be made
    // (the file is then read here once its turn comes).
    bool Start(size_t index) {
        Slot& slot = slots_[index];
        slot.records = std::tmpfile();
        if (!slot.records)
            return Inline(index);
        const pid_t worker = fork();
        if (worker < 0)
            return Inline(index);
        if (worker == 0)
            Work(index);
        slot.worker = worker;
        ++running_;
        return true;
    }

    // A worker's life: read the file, keep what it writes, leave at once
    // (the main process's exit handlers and buffers are not the worker's).
    [[noreturn]] void Work(size_t index) {
        WorkerCapture capture(fileno(slots_[index].records));
        capture.Install();
        ListingSink sink(sink_, capture);
        const int status = task_(files_[index], sink);
        _exit(capture.Finish(status) ? 0 : 1);
    }

    bool Inline(size_t index) {
        Slot& slot = slots_[index];
        if (slot.records) {
            std::fclose(slot.records);
            slot.records = nullptr;
        }
        slot.done = true;
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
        for (size_t i = written_; i < next_; ++i)
            if (slots_[i].worker == ended && !slots_[i].done) {
                slots_[i].done = true;
                slots_[i].waitStatus = waitStatus;
                --running_;
                return;
            }
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
            if (captured && WIFEXITED(slot.waitStatus) && WEXITSTATUS(slot.waitStatus) == 0) {
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
