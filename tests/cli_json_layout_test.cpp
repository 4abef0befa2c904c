// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// quillform writes its JSON shape by shape as it is made; the bytes must be
// those of nlohmann's dump of the whole document: with the options that add
// or change members, as the array of several files, the document of one
// file and the lines of jsonl.
#include "cli_support.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using json = nlohmann::ordered_json;

namespace {
// The drawings of a folder of tests/data in a fixed order, with a missing
// file among them.
std::vector<std::string> Drawings(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(DataPath(folder)))
        if (entry.is_regular_file() && entry.path().extension() == ".dxf")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    files.insert(files.begin() + static_cast<long>(files.size() / 2), DataPath("missing.dxf"));
    return files;
}

std::string Arguments(const std::vector<std::string>& files) {
    std::string args;
    for (const std::string& file : files)
        args += " " + Quote(file);
    return args;
}

struct LayoutCase {
    const char* name;
    const char* folder; // of tests/data
    const char* options;
    bool everyFile; // a document for every file (no file is refused before its read)
};

class CliJsonLayout : public testing::TestWithParam<LayoutCase> {};

// (Every drawing of tests/data, in the array and in lines: tests/cli_batch_test.cpp.)
TEST_P(CliJsonLayout, ArrayIsAsDumped) {
    const LayoutCase& c = GetParam();
    const std::vector<std::string> files = Drawings(c.folder);
    const RunResult r = RunCli("-q --format json " + std::string(c.options) + Arguments(files));
    EXPECT_NE(r.status, 0) << c.name; // the missing file
    ExpectJsonAsDumped(r.out, 2, c.name);
    const json documents = json::parse(r.out);
    ASSERT_TRUE(documents.is_array()) << c.name;
    if (!c.everyFile) {
        EXPECT_GT(documents.size(), 1u) << c.name;
        return;
    }
    ASSERT_EQ(documents.size(), files.size()) << c.name;
    for (size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(documents[i]["file"], files[i]) << c.name;
}

TEST_P(CliJsonLayout, LinesAreAsDumped) {
    const LayoutCase& c = GetParam();
    const std::vector<std::string> files = Drawings(c.folder);
    const RunResult r = RunCli("-q --format jsonl " + std::string(c.options) + Arguments(files));
    EXPECT_NE(r.status, 0) << c.name;
    ExpectJsonAsDumped(r.out, -1, c.name);
    const auto lines = static_cast<size_t>(std::count(r.out.begin(), r.out.end(), '\n'));
    if (c.everyFile) {
        EXPECT_EQ(lines, files.size()) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Options, CliJsonLayout,
    testing::Values(
        LayoutCase{"literal", ".", "--literal", true},
        LayoutCase{"check", "check", "--check --thickness 3mm --kerf 5 --sheet 100x100", true},
        // Drawings without a unit cannot be converted: they have no document.
        LayoutCase{"output_units", "diagnostics",
                   "--output-units mm --curve-tolerance 0.05 --mix-layers --engine reference",
                   false}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

// One file: the document alone, the same on standard output and in -o's file.
TEST(CliJsonLayoutOne, DocumentAloneIsAsDumped) {
    const std::string folder = Folder("json_layout_one");
    int written = 0;
    for (const char* name : {"square_with_circle_hole.dxf", "huge_coords.dxf", "missing.dxf",
                             "check/narrow_web.dxf", "check/clean_plate.dxf"}) {
        const std::string args = "-q --format json --check --thickness 2 " + Data(name);
        const RunResult r = RunCli(args);
        ASSERT_FALSE(r.out.empty()) << name;
        EXPECT_EQ(r.out.front(), '{') << name;
        ExpectJsonAsDumped(r.out, 2, name);
        const RunResult toFile = RunCli(args + " -o " + Quote(folder + "/out.json"));
        EXPECT_EQ(toFile.status, r.status) << name;
        if (r.status != 0)
            continue; // the file is left as it was
        EXPECT_EQ(Slurp(folder + "/out.json"), r.out) << name;
        ++written;
    }
    EXPECT_GE(written, 1);
}
} // namespace
