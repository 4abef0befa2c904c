// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "worker_slots.h"

WorkerSlots::Turn::Turn(WorkerSlots& slots) : slots_(slots) {
    std::unique_lock<std::mutex> lock(slots.mutex_);
    if (slots.free_ == 0 && slots.waiting_ >= slots.queue_)
        return;
    ++slots.waiting_;
    slots.freed_.wait(lock, [&] { return slots.free_ > 0; });
    --slots.waiting_;
    --slots.free_;
    granted_ = true;
}

WorkerSlots::Turn::~Turn() {
    if (!granted_)
        return;
    {
        std::lock_guard<std::mutex> lock(slots_.mutex_);
        ++slots_.free_;
    }
    slots_.freed_.notify_one();
}

int WorkerSlots::Busy() {
    std::lock_guard<std::mutex> lock(mutex_);
    return workers_ - free_;
}

int WorkerSlots::Waiting() {
    std::lock_guard<std::mutex> lock(mutex_);
    return waiting_;
}
