// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

// Runs the built quillform command and keeps what it printed and returned.
struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
    long peakKilobytes = 0; // largest resident set of the command (RunCliMeasured)
};

std::string Slurp(const std::string& path);
// One argument quoted for the shell.
std::string Quote(const std::string& arg);
// A fixture of tests/data: its path, and the path quoted.
std::string DataPath(const std::string& name);
std::string Data(const std::string& name);
// A fresh, empty folder of its own for one test, and its entries' names sorted.
std::string Folder(const std::string& name);
std::vector<std::string> Entries(const std::string& folder);

// args as written on a shell command line; standard output goes to
// stdoutTarget when one is given (for example "/dev/full"), else it is kept.
RunResult RunCli(const std::string& args, const std::string& stdoutTarget = std::string());
// The same with standard input set up by a shell fragment written before the
// command: "cat FILE |", "exec <FILE;", "exec <&-;".
RunResult RunCliWithInput(const std::string& input, const std::string& args);

// The command's JSON output is what nlohmann's dump of the whole would write
// (it is written piece by piece): the document or array when indent is 2,
// every line when it is -1 (jsonl); each ends in a line break.
void ExpectJsonAsDumped(const std::string& out, int indent, const std::string& what);

// Runs quillform directly (no shell) with one file argument and measures
// its peak memory.
RunResult RunCliMeasured(const std::string& file);
