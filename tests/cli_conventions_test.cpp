// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The command's conventions: --version, and "-" for standard input.
#include "cli_support.h"

#include "quillform/dxf_quillform.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
std::string FixturePath(const std::string& name) {
    return std::string(QUILLFORM_TEST_DATA) + "/" + name;
}

// Every occurrence of from in text replaced by to.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

TEST(CliVersion, NamesThePackageAndTheReader) {
    char reader[32] = {};
    TDXFQuillform().GetVersion(reader);
    const RunResult r = RunCli("--version");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              std::string("quillform ") + QUILLFORM_PROJECT_VERSION + " (reader " + reader + ")\n");
    EXPECT_EQ(r.err, "");
}

TEST(CliVersion, HelpMentionsVersionAndStandardInput) {
    const RunResult r = RunCli("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--version"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("'-' reads standard input"), std::string::npos) << r.out;
}

struct StdinCase {
    const char* name;
    const char* file; // in tests/data
    const char* options;
};

class CliStandardInput : public testing::TestWithParam<StdinCase> {};

// Reading "-" gives what reading the file gives, the file named "-": through
// a redirected file and through a pipe.
TEST_P(CliStandardInput, SameAsTheFile) {
    const StdinCase& c = GetParam();
    const std::string path = FixturePath(c.file);
    const std::string options = c.options;
    const RunResult direct = RunCli(options + " " + Quote(path));
    for (const std::string& input : {"exec <" + Quote(path) + ";", "cat " + Quote(path) + " |"}) {
        const RunResult piped = RunCliWithInput(input, options + " -");
        EXPECT_EQ(piped.status, direct.status) << c.name << " " << input << "\n" << piped.err;
        EXPECT_EQ(piped.out, Replaced(direct.out, "\"" + path + "\"", "\"-\"")) << c.name;
        EXPECT_EQ(piped.err, Replaced(direct.err, path, "-")) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Stdin, CliStandardInput,
    testing::Values(StdinCase{"listing", "circle_in_square.dxf", ""},
                    StdinCase{"json", "square_with_circle_hole.dxf", "--format json"},
                    StdinCase{"jsonWarnings", "radius_zero_negative.dxf", "--format json"},
                    StdinCase{"log", "log_example.dxf", "--log"},
                    StdinCase{"contours", "square_shuffled.dxf", "--contours -d 0"},
                    StdinCase{"accurate", "insert_all_kinds.dxf", "--accurate"},
                    StdinCase{"truncated", "truncated_after_square.dxf", ""},
                    StdinCase{"utf16", "utf16le_bom.dxf", ""},
                    StdinCase{"countLowered", "count_lwpolyline_90.dxf", ""},
                    StdinCase{"binary", "binary_dxf.dxf", ""}, StdinCase{"empty", "empty.dxf", ""}),
    [](const testing::TestParamInfo<StdinCase>& info) { return std::string(info.param.name); });

TEST(CliStandardInputOnly, AmongOtherFilesKeepsItsPlace) {
    const std::string a = FixturePath("circle_in_square.dxf");
    const std::string b = FixturePath("square_shuffled.dxf");
    const RunResult direct = RunCli(Quote(a) + " " + Quote(b) + " " + Quote(a));
    const RunResult mixed = RunCliWithInput("exec <" + Quote(b) + ";", Quote(a) + " - " + Quote(a));
    EXPECT_EQ(mixed.status, 0) << mixed.err;
    EXPECT_NE(mixed.out.find("== - =="), std::string::npos) << mixed.out;
    EXPECT_EQ(mixed.out, Replaced(direct.out, "== " + b + " ==", "== - =="));
}

TEST(CliStandardInputOnly, ClosedInputCannotBeOpened) {
    const RunResult r = RunCliWithInput("exec <&-;", "-");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "quillform: cannot open '-'\n");
}

// The copy of standard input goes to TMPDIR and is gone when the program ends.
TEST(CliStandardInputOnly, LeavesNoTemporaryFile) {
    std::string folder = testing::TempDir() + "quillform_stdin_XXXXXX";
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    const RunResult r = RunCliWithInput("export TMPDIR=" + Quote(folder) + "; exec <" +
                                            Quote(FixturePath("circle_in_square.dxf")) + ";",
                                        "-q -");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("SHAPE # 0"), std::string::npos) << r.out;
    std::vector<std::string> left;
    DIR* dir = opendir(folder.c_str());
    ASSERT_NE(dir, nullptr);
    while (const dirent* entry = readdir(dir))
        if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..")
            left.push_back(entry->d_name);
    closedir(dir);
    rmdir(folder.c_str());
    EXPECT_TRUE(left.empty()) << left.front();
}

TEST(CliStandardInputOnly, OutputThatIsStandardInputIsNotOverwritten) {
    const std::string target = testing::TempDir() + "quillform_stdin_target.txt";
    const std::string drawing = Slurp(FixturePath("circle_in_square.dxf"));
    ASSERT_EQ(std::system(("cp " + Data("circle_in_square.dxf") + " " + Quote(target)).c_str()), 0);
    const RunResult r =
        RunCliWithInput("exec <" + Quote(target) + ";", "-o " + Quote(target) + " -");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("is one of the input files"), std::string::npos) << r.err;
    EXPECT_EQ(Slurp(target), drawing);
    unlink(target.c_str());
}
} // namespace
