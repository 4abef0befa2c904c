// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "worker_capture.h"

#include "descriptor_io.h"
#include "output_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <streambuf>
#include <unistd.h>

namespace {
// A record: its channel, the length of its bytes, the bytes.
constexpr size_t kHeader = 1 + sizeof(uint64_t);
// Consecutive writes to one channel share a record up to this size.
constexpr size_t kLongestRecord = 1 << 20;
constexpr size_t kBuffered = 1 << 16;

WorkerCapture* gCapture = nullptr;

// The channels' cookies: what is written goes to the capture installed last.
CaptureChannel gOutput = CaptureChannel::Output;
CaptureChannel gError = CaptureChannel::Error;

ssize_t WriteCookie(void* cookie, const char* bytes, size_t size) {
    gCapture->Record(*static_cast<CaptureChannel*>(cookie), std::string(bytes, size));
    return static_cast<ssize_t>(size);
}

std::FILE* CapturedStream(CaptureChannel* cookie) {
    cookie_io_functions_t functions{};
    functions.write = WriteCookie;
    std::FILE* stream = fopencookie(cookie, "w", functions);
    // Unbuffered: every write becomes a record at once, in the order made.
    if (stream)
        std::setvbuf(stream, nullptr, _IONBF, 0);
    return stream;
}

class ChannelBuffer : public std::streambuf {
public:
    explicit ChannelBuffer(CaptureChannel channel) : channel_(channel) {}

protected:
    int_type overflow(int_type c) override {
        if (c != traits_type::eof())
            gCapture->Record(channel_, std::string(1, static_cast<char>(c)));
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* bytes, std::streamsize size) override {
        gCapture->Record(channel_, std::string(bytes, static_cast<size_t>(size)));
        return size;
    }

private:
    CaptureChannel channel_;
};

void NoteFlush() {
    if (gCapture)
        gCapture->Record(CaptureChannel::Flush, std::string());
}

struct Header {
    CaptureChannel channel;
    uint64_t length;
};

bool ReadHeader(int fd, off_t at, Header* header) {
    char bytes[kHeader];
    if (!ReadAllAt(fd, at, bytes, kHeader))
        return false;
    header->channel = static_cast<CaptureChannel>(bytes[0]);
    std::memcpy(&header->length, bytes + 1, sizeof header->length);
    return true;
}
} // namespace

void WorkerCapture::Install() {
    gCapture = this;
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    if (std::FILE* stream = CapturedStream(&gOutput))
        stdout = stream;
    if (std::FILE* stream = CapturedStream(&gError))
        stderr = stream;
    static ChannelBuffer outputBuffer(CaptureChannel::Output);
    static ChannelBuffer errorBuffer(CaptureChannel::Error);
    std::cout.rdbuf(&outputBuffer);
    std::cerr.rdbuf(&errorBuffer);
    WatchStandardOutputFlushes(NoteFlush);
}

void WorkerCapture::Record(CaptureChannel channel, const std::string& bytes) {
    // A flush and the start of a document are marks: each is a record.
    const bool mark = channel == CaptureChannel::Flush || channel == CaptureChannel::Document;
    if (lastRecord_ != std::string::npos && !mark &&
        static_cast<CaptureChannel>(buffer_[lastRecord_]) == channel &&
        buffer_.size() - lastRecord_ + bytes.size() <= kLongestRecord) {
        uint64_t length = 0;
        std::memcpy(&length, buffer_.data() + lastRecord_ + 1, sizeof length);
        length += bytes.size();
        std::memcpy(buffer_.data() + lastRecord_ + 1, &length, sizeof length);
        buffer_ += bytes;
    } else {
        lastRecord_ = buffer_.size();
        const uint64_t length = bytes.size();
        buffer_ += static_cast<char>(channel);
        buffer_.append(reinterpret_cast<const char*>(&length), sizeof length);
        buffer_ += bytes;
    }
    if (buffer_.size() >= kBuffered)
        Drain();
}

bool WorkerCapture::Drain() {
    if (!failed_ && !WriteAll(fd_, buffer_.data(), buffer_.size()))
        failed_ = true;
    buffer_.clear();
    lastRecord_ = std::string::npos;
    return !failed_;
}

bool WorkerCapture::Finish(int exitStatus) {
    const int32_t status = exitStatus;
    Record(CaptureChannel::End, std::string(reinterpret_cast<const char*>(&status), sizeof status));
    return Drain();
}

std::optional<int> CapturedStatus(int fd) {
    off_t at = 0;
    Header header{};
    while (ReadHeader(fd, at, &header)) {
        at += static_cast<off_t>(kHeader);
        if (header.channel == CaptureChannel::End) {
            int32_t status = 0;
            if (header.length != sizeof status ||
                !ReadAllAt(fd, at, reinterpret_cast<char*>(&status), sizeof status))
                return std::nullopt;
            return status;
        }
        at += static_cast<off_t>(header.length);
    }
    return std::nullopt;
}

void ReplayCapture(int fd, const std::function<void(CaptureChannel, const std::string&)>& each) {
    off_t at = 0;
    Header header{};
    std::string bytes;
    while (ReadHeader(fd, at, &header) && header.channel != CaptureChannel::End) {
        at += static_cast<off_t>(kHeader);
        bytes.resize(header.length);
        if (!ReadAllAt(fd, at, bytes.data(), bytes.size()))
            return;
        at += static_cast<off_t>(header.length);
        each(header.channel, bytes);
    }
}
