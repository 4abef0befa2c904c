// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// quillform's outputs: nothing lost, every write checked.
#include "cli_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {
void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(CliOutput, InputIsNeverTheOutput) {
    const std::string folder = Folder("same_file");
    const std::string drawing = folder + "/part.dxf";
    fs::copy_file(DataPath("square_with_circle_hole.dxf"), drawing);
    const std::string original = Slurp(drawing);
    fs::create_symlink(drawing, folder + "/link.dxf");
    fs::create_hard_link(drawing, folder + "/hard.dxf");
    for (const char* output : {"part.dxf", "link.dxf", "hard.dxf"}) {
        for (const char* format : {"text", "json", "png"}) {
            const RunResult r = RunCli("-q --format " + std::string(format) + " -o " +
                                       Quote(folder + "/" + output) + " " + Quote(drawing));
            EXPECT_EQ(r.status, 1) << output << " " << format;
            EXPECT_EQ(r.err, "quillform: '" + folder + "/" + output +
                                 "' is one of the input files; it is not overwritten\n")
                << output;
        }
        EXPECT_EQ(
            RunCli("--contours -o " + Quote(folder + "/" + output) + " " + Quote(drawing)).status,
            1);
    }
    EXPECT_EQ(Slurp(drawing), original);
    EXPECT_TRUE(fs::is_symlink(folder + "/link.dxf"));
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"hard.dxf", "link.dxf", "part.dxf"}));
}

TEST(CliOutput, MissingFolderAndDirectoryAreWriteErrors) {
    const std::string folder = Folder("bad_targets");
    const std::string missing = folder + "/no_such_folder/listing.txt";
    for (const char* format : {"text", "json", "png", "svg"}) {
        const RunResult r = RunCli("-q --format " + std::string(format) + " -o " + Quote(missing) +
                                   " " + Data("square_with_circle_hole.dxf"));
        EXPECT_EQ(r.status, 1) << format;
        EXPECT_EQ(r.out, "") << format;
        EXPECT_EQ(r.err, "quillform: cannot write '" + missing + "': No such file or directory\n")
            << format;
        const RunResult dir = RunCli("-q --format " + std::string(format) + " -o " + Quote(folder) +
                                     " " + Data("square_with_circle_hole.dxf"));
        EXPECT_EQ(dir.status, 1) << format;
        EXPECT_EQ(dir.out, "") << format;
        EXPECT_EQ(dir.err, "quillform: cannot write '" + folder + "': Is a directory\n") << format;
    }
    EXPECT_TRUE(Entries(folder).empty());
}

TEST(CliOutput, FullDiskIsNoticedForEveryFormat) {
    for (const char* format : {"text", "json", "png", "svg"}) {
        const RunResult r = RunCli("-q --format " + std::string(format) + " -o /dev/full " +
                                   Data("square_with_circle_hole.dxf"));
        EXPECT_EQ(r.status, 1) << format;
        EXPECT_EQ(r.err, "quillform: cannot write '/dev/full': No space left on device\n")
            << format;
    }
    for (const char* args : {"-q", "-q --format json", "--contours -q", "--log -q"}) {
        const RunResult r =
            RunCli(std::string(args) + " " + Data("square_with_circle_hole.dxf"), "/dev/full");
        EXPECT_EQ(r.status, 1) << args;
        EXPECT_EQ(r.err, "quillform: cannot write to standard output: No space left on device\n")
            << args;
    }
}

TEST(CliOutput, ClosedPipeIsReported) {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    close(ends[0]); // nobody will read
    const std::string err = testing::TempDir() + "quillform_pipe.err";
    const pid_t child = fork();
    if (child == 0) {
        dup2(ends[1], 1);
        freopen(err.c_str(), "w", stderr);
        const std::string file = DataPath("square_with_circle_hole.dxf");
        execl(QUILLFORM_CLI, QUILLFORM_CLI, "-q", file.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ends[1]);
    int raw = 0;
    waitpid(child, &raw, 0);
    ASSERT_TRUE(WIFEXITED(raw)); // not killed by SIGPIPE
    EXPECT_EQ(WEXITSTATUS(raw), 1);
    EXPECT_EQ(Slurp(err), "quillform: cannot write to standard output: Broken pipe\n");
}

TEST(CliOutput, FailedRunLeavesTheTargetAsItWas) {
    const std::string folder = Folder("keep_target");
    const std::string target = folder + "/listing.txt";
    WriteFile(target, "the listing of yesterday\r\n");
    const RunResult r = RunCli("-q -o " + Quote(target) + " " +
                               Data("square_with_circle_hole.dxf") + " " + Data("binary_dxf.dxf"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("'" + target + "' was left as it was"), std::string::npos) << r.err;
    EXPECT_EQ(Slurp(target), "the listing of yesterday\r\n");
    EXPECT_EQ(Entries(folder), std::vector<std::string>{"listing.txt"}); // no temporary left
}

TEST(CliOutput, CompleteRunReplacesTheTargetThroughItsLink) {
    const std::string folder = Folder("replace_target");
    const std::string real = folder + "/real.txt";
    WriteFile(real, "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real.txt", folder + "/link.txt");
    const RunResult r =
        RunCli("-q -o " + Quote(folder + "/link.txt") + " " + Data("square_with_circle_hole.dxf"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(folder + "/link.txt"));
    EXPECT_EQ(Slurp(real).substr(0, 11), "SHAPE # 0\r\n");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"link.txt", "real.txt"}));
    const std::string png = folder + "/drawing.png";
    EXPECT_EQ(RunCli("-q --format png -o " + Quote(png) + " " + Data("square_with_circle_hole.dxf"))
                  .status,
              0);
    EXPECT_EQ(Slurp(png).substr(0, 8), "\x89PNG\r\n\x1a\n");
}

// Pictures come from a module loaded only for them: a command without it
// still lists shapes, and asking it for a picture is a clear error that
// leaves no file; the module beside the command (or beside the file a link
// points to) is found.
TEST(CliOutput, PicturesNeedTheirModuleAndNothingElseDoes) {
    const std::string folder = Folder("pictures_module");
    const std::string alone = folder + "/bin/quillform";
    fs::create_directories(folder + "/bin");
    fs::copy_file(QUILLFORM_CLI, alone);
    const std::string drawing = Data("square_with_circle_hole.dxf");
    const auto run = [&](const std::string& command, const std::string& args) {
        const std::string out = folder + "/out.txt", err = folder + "/err.txt";
        const int raw = std::system(
            (Quote(command) + " " + args + " >" + Quote(out) + " 2>" + Quote(err)).c_str());
        return RunResult{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
    };

    const RunResult listing = run(alone, "-q " + drawing);
    EXPECT_EQ(listing.status, 0) << listing.err;
    EXPECT_EQ(listing.out.substr(0, 10), "SHAPE # 0\n");
    for (const char* format : {"png", "svg"}) {
        const std::string target = folder + "/drawing." + format;
        const RunResult r = run(alone, "-q --format " + std::string(format) + " -o " +
                                           Quote(target) + " " + drawing);
        EXPECT_EQ(r.status, 1) << format;
        EXPECT_NE(r.err.find("quillform: cannot draw pictures: quillform-pictures.so is not "
                             "installed beside the command"),
                  std::string::npos)
            << r.err;
        EXPECT_FALSE(fs::exists(target)) << format;
    }

    fs::copy_file(QUILLFORM_PICTURES, folder + "/bin/quillform-pictures.so");
    fs::create_symlink(alone, folder + "/linked");
    const std::string png = folder + "/drawing.png";
    const RunResult drawn =
        run(folder + "/linked", "-q --format png -o " + Quote(png) + " " + drawing);
    EXPECT_EQ(drawn.status, 0) << drawn.err;
    EXPECT_EQ(Slurp(png).substr(0, 8), "\x89PNG\r\n\x1a\n");
}
} // namespace
