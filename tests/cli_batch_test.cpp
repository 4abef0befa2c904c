// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// quillform on many files with worker processes: the same bytes, status and
// messages as one file after the other, failures in the middle included,
// and a worker that is killed costs only its own file.
#include "cli_support.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {
// Every drawing of tests/data, in a fixed order, with files that cannot be
// read (missing, a folder, empty, binary) in the middle.
std::string EveryDrawing() {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(QUILLFORM_TEST_DATA))
        if (entry.is_regular_file() && entry.path().extension() == ".dxf")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    files.insert(files.begin() + static_cast<long>(files.size() / 3), DataPath("missing.dxf"));
    files.insert(files.begin() + static_cast<long>(files.size() / 2), DataPath("accurate"));
    std::string args;
    for (const std::string& file : files)
        args += " " + Quote(file);
    return args;
}

struct BatchCase {
    const char* name;
    const char* args;
    bool together; // also with both streams in one file
    int json;      // JSON's indentation (-1: lines), else kNotJson
};
constexpr int kNotJson = -2;

class CliBatch : public testing::TestWithParam<BatchCase> {};

// Standard output and error apart, and the two in one file as a terminal
// would interleave them.
TEST_P(CliBatch, SameAsOneAfterTheOther) {
    const BatchCase& c = GetParam();
    static const std::string files = EveryDrawing();
    const std::string args = std::string(c.args) + files;
    const RunResult one = RunCli("--jobs 1 " + args);
    const RunResult two = RunCli("--jobs 3 " + args);
    EXPECT_NE(one.status, 0) << c.name; // the missing file
    EXPECT_EQ(two.status, one.status) << c.name;
    EXPECT_EQ(two.out, one.out) << c.name;
    EXPECT_EQ(two.err, one.err) << c.name;
    EXPECT_GT(one.out.size(), 1000u) << c.name;
    if (c.json != kNotJson)
        ExpectJsonAsDumped(one.out, c.json, c.name);
    if (!c.together)
        return;
    const std::string both = Folder(std::string("batch_") + c.name) + "/both";
    RunCli("--jobs 1 " + args + " 2>&1", both);
    const std::string sequential = Slurp(both);
    RunCli("--jobs 2 " + args + " 2>&1", both);
    EXPECT_EQ(Slurp(both), sequential) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, CliBatch,
    testing::Values(BatchCase{"text_log", "--log -d 0.001", true, kNotJson},
                    BatchCase{"json", "--format json --accurate --output-units mm", false, 2},
                    BatchCase{"jsonl", "--format jsonl", false, -1},
                    BatchCase{"contours", "--contours --open-mode 1", false, kNotJson}),
    [](const testing::TestParamInfo<BatchCase>& info) { return std::string(info.param.name); });

// -o: the listing file of a batch that fails is left as it was; of one that
// succeeds it holds the same bytes either way.
TEST(CliBatchFile, ListingFileSameAsOneAfterTheOther) {
    const std::string folder = Folder("batch_file");
    const std::string files = " " + Data("arcs.dxf") + " " + Data("cp1252_layer.dxf") + " " +
                              Data("circle_in_square.dxf") + " " + Data("hole_order.dxf");
    for (const char* format : {"text", "json", "jsonl"}) {
        const RunResult one =
            RunCli("--jobs 1 --format " + std::string(format) + " -o " + folder + "/one" + files);
        const RunResult two =
            RunCli("--jobs 2 --format " + std::string(format) + " -o " + folder + "/two" + files);
        ASSERT_EQ(one.status, 0) << format << one.err;
        EXPECT_EQ(two.status, 0) << format;
        EXPECT_EQ(two.err, one.err) << format;
        EXPECT_EQ(Slurp(folder + "/two"), Slurp(folder + "/one")) << format;
        EXPECT_FALSE(Slurp(folder + "/one").empty()) << format;
    }
}

// One JSON document a line; a file that cannot be read gives a line that
// says why.
TEST(CliBatchJsonl, OneLineAFileWithItsError) {
    const RunResult r = RunCli("--format jsonl " + Data("arcs.dxf") + " " + Data("missing.dxf") +
                               " " + Data("empty.dxf"));
    EXPECT_EQ(r.status, 1);
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = r.out.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(r.out.substr(at, end - at));
    ASSERT_EQ(lines.size(), 3u) << r.out;
    EXPECT_EQ(lines[0].rfind("{\"format\":\"quillform-shapes\"", 0), 0u);
    EXPECT_EQ(lines[0].find("\"error\""), std::string::npos);
    EXPECT_NE(lines[1].find("\"error\":\"cannot open '" + DataPath("missing.dxf") + "'\""),
              std::string::npos)
        << lines[1];
    EXPECT_NE(lines[2].find("\"error\":\"" + DataPath("empty.dxf") + ": not a DXF drawing\""),
              std::string::npos)
        << lines[2];
}

// The children of process, from /proc.
std::vector<pid_t> ChildrenOf(pid_t process) {
    std::ifstream list("/proc/" + std::to_string(process) + "/task/" + std::to_string(process) +
                       "/children");
    std::vector<pid_t> children;
    for (pid_t child; list >> child;)
        children.push_back(child);
    return children;
}

bool Opens(pid_t process, const std::string& path) {
    std::error_code error;
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(process) + "/fd", error))
        if (fs::read_symlink(fd.path(), error) == path)
            return true;
    return false;
}

// Runs the command with --jobs 2 on arcs.dxf, a pipe nobody writes to and
// two more drawings, with the options given, and kills the worker that
// waits on the pipe. The pipe's path is folder/stuck.dxf.
RunResult RunKillingTheStuckWorker(const std::string& folder,
                                   const std::vector<std::string>& options) {
    const std::string fifo = folder + "/stuck.dxf";
    EXPECT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::vector<std::string> args = {QUILLFORM_CLI, "--jobs", "2", "-q"};
    args.insert(args.end(), options.begin(), options.end());
    for (const std::string& file :
         {DataPath("arcs.dxf"), fifo, DataPath("hole_order.dxf"), DataPath("circle_in_square.dxf")})
        args.push_back(file);
    const pid_t command = fork();
    EXPECT_GE(command, 0);
    if (command == 0) {
        if (!freopen((folder + "/out").c_str(), "w", stdout) ||
            !freopen((folder + "/err").c_str(), "w", stderr))
            _exit(126);
        std::vector<char*> argv;
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    // Once a worker opens the pipe, hold its other end open: the worker then
    // waits for bytes that never come, with the pipe among its descriptors.
    int writer = -1;
    bool killed = false;
    for (int i = 0; i < 1500 && !killed; ++i) {
        if (writer < 0)
            writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        for (pid_t worker : writer < 0 ? std::vector<pid_t>() : ChildrenOf(command))
            if (Opens(worker, fifo))
                killed = kill(worker, SIGKILL) == 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (writer >= 0)
        close(writer);
    int raw = 0;
    waitpid(command, &raw, 0);
    EXPECT_TRUE(killed);
    fs::remove(fifo);
    RunResult result;
    result.status = WEXITSTATUS(raw);
    result.out = Slurp(folder + "/out");
    result.err = Slurp(folder + "/err");
    return result;
}

const char* const kKilled =
    "the process reading it stopped (killed by signal 9 (Killed)); nothing of it is listed";

// A worker stuck on a pipe nobody writes to is killed: that file gets its
// message and the others their listings, as if it had not been there (the
// small files after it, read by the same worker, go to another).
TEST(CliBatchWorker, KilledWorkerIsThatFilesError) {
    const std::string folder = Folder("batch_killed");
    const RunResult killed = RunKillingTheStuckWorker(folder, {});
    const std::string fifo = folder + "/stuck.dxf";
    EXPECT_EQ(killed.status, 1);
    EXPECT_EQ(killed.err, "quillform: " + fifo + ": " + kKilled + "\n");
    // The same listing as a run where that file is missing.
    const RunResult missing = RunCli("--jobs 2 -q " + Data("arcs.dxf") + " " + Quote(fifo) + " " +
                                     Data("hole_order.dxf") + " " + Data("circle_in_square.dxf"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(killed.out, missing.out);
    EXPECT_NE(missing.out.find("== " + fifo + " ==\n== " + DataPath("hole_order.dxf")),
              std::string::npos);
}

// In JSON the killed worker's file has a document that says why, in its
// place in the array, and the other files the documents they have alone.
TEST(CliBatchWorker, KilledWorkerIsThatFilesJsonDocument) {
    const std::string folder = Folder("batch_killed_json");
    const RunResult killed = RunKillingTheStuckWorker(folder, {"--format", "json"});
    EXPECT_EQ(killed.status, 1);
    ExpectJsonAsDumped(killed.out, 2, "killed worker");
    const nlohmann::ordered_json documents = nlohmann::ordered_json::parse(killed.out);
    ASSERT_EQ(documents.size(), 4u) << killed.out;
    const auto& lost = documents[1];
    EXPECT_EQ(lost["file"], folder + "/stuck.dxf");
    EXPECT_EQ(lost["status"]["flags"], nlohmann::ordered_json::array({"readError"}));
    EXPECT_EQ(lost["error"], kKilled);
    EXPECT_EQ(lost["layers"], nlohmann::ordered_json::array());
    // The others as a run without it.
    const RunResult others = RunCli("--format json -q " + Data("arcs.dxf") + " " +
                                    Data("hole_order.dxf") + " " + Data("circle_in_square.dxf"));
    const nlohmann::ordered_json alone = nlohmann::ordered_json::parse(others.out);
    EXPECT_EQ(documents[0], alone[0]);
    EXPECT_EQ(documents[2], alone[1]);
    EXPECT_EQ(documents[3], alone[2]);
}
} // namespace
