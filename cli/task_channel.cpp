// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "task_channel.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// A task's message: the file's index, and room for one descriptor.
struct TaskMessage {
    uint64_t file = 0;
    iovec payload{&file, sizeof file};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    msghdr header{};

    TaskMessage() {
        header.msg_iov = &payload;
        header.msg_iovlen = 1;
        header.msg_control = control;
        header.msg_controllen = sizeof control;
    }
    TaskMessage(const TaskMessage&) = delete;
    TaskMessage& operator=(const TaskMessage&) = delete;
};

ssize_t Receive(int channel, msghdr* message) {
    ssize_t got = -1;
    do
        got = recvmsg(channel, message, MSG_CMSG_CLOEXEC);
    while (got < 0 && errno == EINTR);
    return got;
}

ssize_t Send(int channel, const msghdr* message) {
    ssize_t sent = -1;
    do
        sent = sendmsg(channel, message, MSG_NOSIGNAL);
    while (sent < 0 && errno == EINTR);
    return sent;
}
} // namespace

bool OpenTaskChannel(int ends[2]) {
    return socketpair(AF_UNIX, SOCK_SEQPACKET, 0, ends) == 0;
}

bool SendTask(int channel, const Task& task) {
    TaskMessage message;
    message.file = task.file;
    cmsghdr* header = CMSG_FIRSTHDR(&message.header);
    header->cmsg_level = SOL_SOCKET;
    header->cmsg_type = SCM_RIGHTS;
    header->cmsg_len = CMSG_LEN(sizeof(int));
    std::memcpy(CMSG_DATA(header), &task.output, sizeof(int));
    return Send(channel, &message.header) == static_cast<ssize_t>(sizeof message.file);
}

std::optional<Task> ReceiveTask(int channel) {
    TaskMessage message;
    if (Receive(channel, &message.header) != static_cast<ssize_t>(sizeof message.file))
        return std::nullopt;
    const cmsghdr* header = CMSG_FIRSTHDR(&message.header);
    if (!header || header->cmsg_level != SOL_SOCKET || header->cmsg_type != SCM_RIGHTS ||
        header->cmsg_len != CMSG_LEN(sizeof(int)))
        return std::nullopt;
    Task task;
    task.file = message.file;
    std::memcpy(&task.output, CMSG_DATA(header), sizeof(int));
    return task;
}

bool SendDone(int channel, uint64_t file) {
    iovec payload{&file, sizeof file};
    msghdr message{};
    message.msg_iov = &payload;
    message.msg_iovlen = 1;
    return Send(channel, &message) == static_cast<ssize_t>(sizeof file);
}

std::optional<uint64_t> ReceiveDone(int channel) {
    uint64_t file = 0;
    iovec payload{&file, sizeof file};
    msghdr message{};
    message.msg_iov = &payload;
    message.msg_iovlen = 1;
    if (Receive(channel, &message) != static_cast<ssize_t>(sizeof file))
        return std::nullopt;
    return file;
}
