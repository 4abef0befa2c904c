// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "parallel_files.h"

#include "output_file.h"
#include "task_channel.h"
#include "worker_capture.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// A file in flight: the file of records its worker writes.
struct Slot {
    std::FILE* records = nullptr;
    bool done = false;
    int waitStatus = 0; // of the worker that stopped while it read this file
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

// A worker lives for the whole batch and reads one file after another as
// it is handed them: a process start (about 10 ms on some virtual machines,
// more than a small drawing takes to read) is paid once a worker, and the
// worker's heap, once grown, serves every later file without new page faults.
class FileRunner {
public:
    FileRunner(const std::vector<std::string>& files, int jobs, ListingSink& sink,
               const FileTask& task, const LostFile& lost)
        : files_(files), jobs_(jobs), sink_(sink), task_(task), lost_(lost), slots_(files.size()) {}

    ~FileRunner() {
        // Closing a worker's channel tells it to leave.
        for (Worker& worker : workers_)
            close(worker.channel);
        for (Worker& worker : workers_)
            Reap(worker.pid);
    }

    int Run() {
        while (written_ < files_.size()) {
            while (next_ < files_.size() && next_ - written_ < Window() && HandOut(next_))
                ++next_;
            if (Busy())
                WaitForOne();
            WriteFinished();
        }
        return exitStatus_;
    }

private:
    static constexpr size_t kIdle = static_cast<size_t>(-1);

    struct Worker {
        pid_t pid = -1;
        int channel = -1;    // the main process's end
        size_t file = kIdle; // the file in hand
    };

    // Files done but not yet written wait in their record files: keep their
    // number (and the open descriptors) bounded.
    size_t Window() const { return std::max<size_t>(64, 8 * static_cast<size_t>(jobs_)); }

    bool Busy() const {
        return std::any_of(workers_.begin(), workers_.end(),
                           [](const Worker& worker) { return worker.file != kIdle; });
    }

    // Gives file to an idle worker, starting one while there are fewer than
    // jobs. False when every worker is busy. A file that no worker can take
    // (no process or record file could be made, none is running) is read
    // here once its turn comes.
    bool HandOut(size_t file) {
        Slot& slot = slots_[file];
        if (!slot.records && !(slot.records = std::tmpfile()))
            return ReadHere(file);
        for (;;) {
            Worker* worker = IdleWorker();
            if (!worker)
                return Busy() ? false : ReadHere(file);
            if (SendTask(worker->channel, {file, fileno(slot.records)})) {
                worker->file = file;
                return true;
            }
            Gone(*worker); // it died while idle: try another
        }
    }

    Worker* IdleWorker() {
        for (Worker& worker : workers_)
            if (worker.file == kIdle)
                return &worker;
        if (static_cast<int>(workers_.size()) >= jobs_)
            return nullptr;
        int ends[2];
        if (!OpenTaskChannel(ends))
            return nullptr;
        const pid_t pid = fork();
        if (pid == 0) {
            close(ends[0]);
            for (const Worker& other : workers_)
                close(other.channel);
            Serve(ends[1]);
        }
        close(ends[1]);
        if (pid < 0) {
            close(ends[0]);
            return nullptr;
        }
        workers_.push_back({pid, ends[0], kIdle});
        return &workers_.back();
    }

    // A worker's life: read each file handed over, keep what it writes, say
    // so; leave at once when the main process closes the channel (its exit
    // handlers and buffers are not the worker's).
    [[noreturn]] void Serve(int channel) {
        while (const std::optional<Task> task = ReceiveTask(channel)) {
            if (task->file >= files_.size())
                _exit(1);
            {
                WorkerCapture capture(task->output);
                capture.Install();
                ListingSink sink(sink_, capture);
                const int status = task_(files_[task->file], sink);
                if (!capture.Finish(status))
                    _exit(1);
            }
            close(task->output);
            if (!SendDone(channel, task->file))
                _exit(1);
        }
        _exit(0);
    }

    bool ReadHere(size_t file) {
        Slot& slot = slots_[file];
        if (slot.records) {
            std::fclose(slot.records);
            slot.records = nullptr;
        }
        slot.done = true;
        return true;
    }

    void WaitForOne() {
        std::vector<pollfd> waiting;
        for (const Worker& worker : workers_)
            if (worker.file != kIdle)
                waiting.push_back({worker.channel, POLLIN, 0});
        int ready = -1;
        do
            ready = poll(waiting.data(), waiting.size(), -1);
        while (ready < 0 && errno == EINTR);
        for (const pollfd& polled : waiting) {
            if (ready >= 0 && polled.revents == 0)
                continue;
            auto worker = std::find_if(workers_.begin(), workers_.end(),
                                       [&](const Worker& w) { return w.channel == polled.fd; });
            const std::optional<uint64_t> done = ReceiveDone(worker->channel);
            if (done && *done == worker->file) {
                slots_[worker->file].done = true;
                worker->file = kIdle;
            } else {
                Gone(*worker);
            }
        }
    }

    // A worker that stopped: the file in its hand is done, its output
    // whatever the worker managed to write (lost unless complete).
    void Gone(Worker& worker) {
        close(worker.channel);
        const int waitStatus = Reap(worker.pid);
        if (worker.file != kIdle) {
            slots_[worker.file].done = true;
            slots_[worker.file].waitStatus = waitStatus;
        }
        workers_.erase(workers_.begin() + (&worker - workers_.data()));
    }

    static int Reap(pid_t pid) {
        int waitStatus = 0;
        while (waitpid(pid, &waitStatus, 0) < 0 && errno == EINTR) {
        }
        return waitStatus;
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
    std::vector<Worker> workers_;
    size_t next_ = 0;    // the first file not handed out
    size_t written_ = 0; // the first file whose output is not written
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
