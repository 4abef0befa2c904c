// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Runs the built quillform command and checks what it prints and returns.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {
struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

RunResult RunCli(const std::string& args) {
    const std::string base = testing::TempDir() + "quillform_cli_" + std::to_string(getpid());
    const std::string command = Quote(QUILLFORM_CLI) + " " + args + " >" + Quote(base + ".out") +
                                " 2>" + Quote(base + ".err") + " </dev/null";
    RunResult result;
    const int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = Slurp(base + ".out");
    result.err = Slurp(base + ".err");
    return result;
}

std::string Data(const std::string& name) {
    return Quote(std::string(QUILLFORM_TEST_DATA) + "/" + name);
}

TEST(CliLog, PrintsOneLinePerEvent) {
    const RunResult r = RunCli("--log " + Data("unlisted_layer.dxf"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("Circle:")),
              "Layer name: 0\nLayer name: Cut\n"
              "Segment: Start(X=0; Y=0; Z=0)-End(X=1; Y=0; Z=0), Layer = Cut\n");
}

TEST(CliLog, NamesAreWrittenAsUtf8) {
    const RunResult r = RunCli("--log " + Data("cp1252_layer.dxf"));
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Layer name: Au\xC3\x9F"
                         "en\n"),
              std::string::npos)
        << r.out;
}

TEST(CliErrors, MissingFileNamesItOnStandardError) {
    const RunResult r = RunCli("--log " + Data("no_such_file.dxf"));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("no_such_file.dxf"), std::string::npos) << r.err;
}

TEST(CliErrors, BadUsageGivesStatusTwo) {
    EXPECT_EQ(RunCli("").status, 2);
    EXPECT_EQ(RunCli("--no-such-option " + Data("empty.dxf")).status, 2);
}

TEST(CliErrors, DamagedFilesDoNotCrash) {
    for (const char* file : {"damaged_number.dxf", "truncated.dxf", "empty.dxf"})
        EXPECT_EQ(RunCli("--log " + Data(file)).status, 0) << file;
}
} // namespace

namespace {
TEST(CliContours, OneLinePerContour) {
    const RunResult r = RunCli("--contours -d 0 " + Data("square_shuffled.dxf"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "0: 4 vertices: 10 10; 0 10; 0 0; 10 0\n");
    const RunResult arc = RunCli("--contours " + Data("full_circle_arc.dxf"));
    EXPECT_EQ(arc.out, "0: 1 vertices: 6.73205080756888 6 arc 5 5 2 ccw\n");
}

TEST(CliContours, DistanceThatIsNoNumberIsBadUsage) {
    const RunResult r = RunCli("--contours -d abc " + Data("square_shuffled.dxf"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("abc"), std::string::npos) << r.err;
}
} // namespace
