// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// quillform reading standard input and writing -o files when things go
// wrong: a signal, a full or missing TMPDIR, an endless pipe, odd targets.
#include "cli_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {
// Starts `quillform ARGS -` with TMPDIR set and standard input a pipe that
// stays open; returns the child and the pipe's writing end.
pid_t StartOnPipe(const std::string& tmpdir, const std::vector<std::string>& args, int* input) {
    int ends[2];
    if (pipe(ends) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        dup2(ends[0], STDIN_FILENO);
        close(ends[0]);
        close(ends[1]);
        setenv("TMPDIR", tmpdir.c_str(), 1);
        std::vector<char*> argv{const_cast<char*>(QUILLFORM_CLI)};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(QUILLFORM_CLI, argv.data());
        _exit(127);
    }
    close(ends[0]);
    *input = ends[1];
    return child;
}

// Waits (a few seconds at most) until the folder holds something.
bool WaitForAnEntry(const std::string& folder) {
    for (int i = 0; i < 500; ++i) {
        if (!Entries(folder).empty())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

class CliSignal : public testing::TestWithParam<int> {};

// The copy of standard input has no name in TMPDIR even while it is read,
// and the -o file's temporary copy goes with the signal.
TEST_P(CliSignal, LeavesNoFileBehind) {
    const std::string tmpdir = Folder("signal_tmpdir_" + std::to_string(GetParam()));
    const std::string out = Folder("signal_out_" + std::to_string(GetParam()));
    int input = -1;
    const pid_t child = StartOnPipe(tmpdir, {"-q", "-o", out + "/listing.txt", "-"}, &input);
    ASSERT_GT(child, 0);
    const std::string drawing = Slurp(DataPath("circle_in_square.dxf"));
    ASSERT_EQ(write(input, drawing.data(), 100), 100); // and then nothing more for now
    EXPECT_TRUE(WaitForAnEntry(out)) << "the -o file was never started";
    EXPECT_EQ(Entries(tmpdir), std::vector<std::string>{});
    kill(child, GetParam());
    int status = 0;
    waitpid(child, &status, 0);
    close(input);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == GetParam()) << status;
    EXPECT_EQ(Entries(tmpdir), std::vector<std::string>{});
    EXPECT_EQ(Entries(out), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Signals, CliSignal, testing::Values(SIGINT, SIGTERM, SIGHUP));

TEST(CliStandardInputSpool, AnEndlessPipeStopsAtTheLimit) {
    const RunResult r = RunCliWithInput("head -c 100000 /dev/zero |", "--stdin-limit 4096 -");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "quillform: standard input is longer than 4096 bytes, the limit of --stdin-limit\n");
}

TEST(CliStandardInputSpool, SaysWhyTheCopyCannotBeMade) {
    const std::string missing = Folder("spool_missing") + "/not_there";
    const RunResult r = RunCliWithInput(
        "export TMPDIR=" + Quote(missing) + "; exec <" + Data("circle_in_square.dxf") + ";", "-");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quillform: cannot copy standard input to " + missing +
                         ": No such file or directory\n");
}

TEST(CliOutputLink, ADanglingLinkGetsTheFileItPointsTo) {
    const std::string folder = Folder("dangling_link");
    fs::create_symlink("made.txt", folder + "/link.txt");
    const RunResult r =
        RunCli("-q -o " + Quote(folder + "/link.txt") + " " + Data("square_with_circle_hole.dxf"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(folder + "/link.txt"));
    EXPECT_NE(Slurp(folder + "/made.txt").find("SHAPE # 0"), std::string::npos);
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"link.txt", "made.txt"}));
}

TEST(CliOutputLink, LinksInACircleAreRefused) {
    const std::string folder = Folder("link_loop");
    fs::create_symlink("b", folder + "/a");
    fs::create_symlink("a", folder + "/b");
    const RunResult r =
        RunCli("-q -o " + Quote(folder + "/a") + " " + Data("square_with_circle_hole.dxf"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "quillform: cannot write '" + folder + "/a': Too many levels of symbolic links\n");
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"a", "b"}));
}

TEST(CliOutputUnits, AnUnknownUnitCodeWritesNothing) {
    for (const char* format : {"", "--format json "}) {
        const RunResult r =
            RunCli(std::string(format) + "--output-units mm " + Data("hostile/insunits_999.dxf"));
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "") << format;
        EXPECT_NE(r.err.find("--output-units: unknown unit code 999"), std::string::npos) << r.err;
    }
}
} // namespace

namespace {
TEST(CliLayers, ANameThatMatchesNoLayerIsSaid) {
    const RunResult r =
        RunCli("--layers NOPE,0 --exclude-layers GONE " + Data("circle_in_square.dxf"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("SHAPE # 0"), std::string::npos);
    const std::string file = DataPath("circle_in_square.dxf");
    EXPECT_NE(r.err.find("quillform: " + file + ": no layer of the drawing is named NOPE\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find(": no layer of the drawing is named GONE\n"), std::string::npos);
    EXPECT_EQ(r.err.find("named 0"), std::string::npos) << r.err;
}

TEST(CliLayers, AnEmptyNameIsRefused) {
    for (const char* option : {"--layers", "--exclude-layers"}) {
        const RunResult r = RunCli(std::string(option) + " '' " + Data("circle_in_square.dxf"));
        EXPECT_EQ(r.status, 2) << option;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "quillform: layers: an empty name matches no layer\n");
    }
}
} // namespace
