// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <condition_variable>
#include <mutex>

// At most `workers` reads run at once; up to `queue` more wait for a turn,
// and a request beyond those is turned away at once (the server answers
// 503) rather than piling up.
class WorkerSlots {
public:
    WorkerSlots(int workers, int queue) : free_(workers), workers_(workers), queue_(queue) {}

    // A turn, held until the object goes; !Granted() when the queue is full.
    class Turn {
    public:
        explicit Turn(WorkerSlots& slots);
        ~Turn();
        Turn(const Turn&) = delete;
        Turn& operator=(const Turn&) = delete;
        bool Granted() const { return granted_; }

    private:
        WorkerSlots& slots_;
        bool granted_ = false;
    };

    int Workers() const { return workers_; }
    int Queue() const { return queue_; }
    int Busy();
    int Waiting();

private:
    std::mutex mutex_;
    std::condition_variable freed_;
    int free_;
    int waiting_ = 0;
    const int workers_;
    const int queue_;
};
