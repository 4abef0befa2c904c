// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// An output file that takes the place of its target only once it has been
// written completely: the bytes go to a temporary file in the target's
// folder, which Commit() flushes, syncs and renames over the target. A run
// that fails leaves the target as it was and removes the temporary file. A
// target that exists and is not a regular file (a device such as /dev/full,
// a pipe) is written in place, with every write checked all the same. A
// target that is a symbolic link stays one: the file it points to is
// written (made, where the link dangles); links that go round in a circle
// are refused. SIGINT, SIGTERM and SIGHUP remove the temporary file.
class TOutputFile {
public:
    explicit TOutputFile(std::string target);
    ~TOutputFile();
    TOutputFile(const TOutputFile&) = delete;
    TOutputFile& operator=(const TOutputFile&) = delete;

    // Creates the temporary file (or opens the device). False, with the
    // reason in Error(), when that fails.
    bool Open();
    // Appends bytes; the first failure is kept for Commit() to report.
    bool Write(const std::string& bytes);
    // Finishes the file; false, with the reason in Error(), when any write,
    // the flush, the sync, the close or the rename failed.
    bool Commit();

    const std::string& Target() const { return target_; }
    // "cannot write 'TARGET': reason".
    const std::string& Error() const { return error_; }

private:
    bool Fail(int errorNumber);
    void Discard();

    std::string target_;
    std::string destination_; // the target with symbolic links resolved
    std::string temporary_;   // empty when writing in place
    std::FILE* stream_ = nullptr;
    int writeError_ = 0;
    std::string error_;
};

// Whether path names the same file as one of inputs (same device and inode,
// symbolic and hard links included; "-" among inputs is standard input). A
// path that does not exist names none.
bool IsOneOfTheInputs(const std::string& path, const std::vector<std::string>& inputs);

// Standard output, written and flushed so that the reason of its first
// failure is kept (the C library keeps only that there was one).
void WriteStandardOutput(const std::string& bytes);
void FlushStandardOutput();
// Calls watcher after every FlushStandardOutput (a worker process notes
// where its output was flushed, so that the run that replays it flushes at
// the same places); nullptr stops.
void WatchStandardOutputFlushes(void (*watcher)());

// Flushes standard output and tells whether everything written there
// arrived; false with the reason (a closed pipe, a full disk) otherwise.
bool FinishStandardOutput(std::string* error);
