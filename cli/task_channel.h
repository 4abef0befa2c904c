// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <optional>

// The messages between the main process and a worker, over a Unix
// socket pair that keeps message bounds: a task is a file's index and the
// descriptor the worker writes that file's output to; the answer is the
// index again once the output is complete.
struct Task {
    uint64_t file = 0;
    int output = -1;
};

// Both ends of a new channel (main process's, worker's); false on failure.
bool OpenTaskChannel(int ends[2]);
// False when the worker has gone (no signal is raised for it).
bool SendTask(int channel, const Task& task);
// The next task; nothing when the main process closed its end.
std::optional<Task> ReceiveTask(int channel);
bool SendDone(int channel, uint64_t file);
// The index a worker says it finished; nothing when it has gone.
std::optional<uint64_t> ReceiveDone(int channel);
