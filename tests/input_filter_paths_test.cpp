// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The input filter's quick paths against plain references: group numbers
// read without strtol, and lines handed over from the text where they lie.
#include "collect/dxf_input_filter.h"
#include "collect/dxf_line_source.h"
#include "collect/group_guard.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <istream>
#include <iterator>
#include <random>
#include <string>
#include <unistd.h>

using namespace quillform::detail;

namespace {
// What dxflib makes of a line: strtol on the C string, kept as int.
int StrtolAsInt(const std::string& line) {
    return static_cast<int>(std::strtol(line.c_str(), nullptr, 10));
}

class GroupNumber : public testing::TestWithParam<std::string> {};

TEST_P(GroupNumber, ReadsAsStrtolDoes) {
    const std::string& line = GetParam();
    EXPECT_EQ(TGroupGuard::AsDxflibInt(line), StrtolAsInt(line)) << '"' << line << '"';
}

INSTANTIATE_TEST_SUITE_P(Lines, GroupNumber,
                         testing::Values("0", "90", " 90", "  10", "999999999", "1000000000",
                                         "1234567890", "4294967386", "00000000000090", "+5", "-7",
                                         "\t8", "8 ", "8\t", "", " ", "9x", "x9", "1 2",
                                         std::string("12\0"
                                                     "34",
                                                     5),
                                         std::string("\0"
                                                     "7",
                                                     2)));

TEST(GroupNumber, RandomLinesReadAsStrtolDoes) {
    const char alphabet[] = " 0123456789+-\txe";
    std::mt19937 random(10);
    std::uniform_int_distribution<size_t> length(0, 14), pick(0, sizeof alphabet - 1);
    for (int i = 0; i < 20000; ++i) {
        std::string line(length(random), ' ');
        for (char& c : line)
            c = alphabet[pick(random)]; // the terminating NUL too, now and then
        ASSERT_EQ(TGroupGuard::AsDxflibInt(line), StrtolAsInt(line)) << '"' << line << '"';
    }
}

// Every line end ends one line, a CR LF or LF CR is one end, a line is cut to what
// dxflib reads in one piece, and each arrives with a LF.
std::string ReferenceFiltered(const std::string& text) {
    std::string out, line;
    bool open = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            line += c;
            open = true;
            continue;
        }
        out += line.substr(0, TDxfLineSource::kLongestLine) + '\n';
        line.clear();
        open = false;
        if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != c)
            ++i;
    }
    if (open)
        out += line.substr(0, TDxfLineSource::kLongestLine) + '\n';
    return out;
}

std::string ThroughFilter(const std::string& bytes) {
    const std::string path =
        testing::TempDir() + "quillform_filter_paths_" + std::to_string(getpid()) + ".dxf";
    std::ofstream(path, std::ios::binary) << bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    EXPECT_NE(file, nullptr);
    TDxfInputFilter filter(file);
    std::istream in(&filter);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::fclose(file);
    std::remove(path.c_str());
    return text;
}

// Short lines, lines about as long as dxflib's buffer and a few much longer,
// with every kind of line end, over many reads and batches of the filter.
std::string RandomText(unsigned seed, size_t size) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> kind(0, 99), shortLength(0, 9), nearLimit(1015, 1030),
        longLength(1031, 5000), end(0, 3), letter('A', 'Z');
    std::string text = "0\n";
    while (text.size() < size) {
        const int k = kind(random);
        const int length = k < 90   ? shortLength(random)
                           : k < 98 ? nearLimit(random)
                                    : longLength(random);
        for (int i = 0; i < length; ++i)
            text += static_cast<char>(letter(random));
        const char* ends[] = {"\n", "\r\n", "\r", "\n\r"};
        text += ends[end(random)];
    }
    if (seed % 2)
        text += "TAIL"; // no final line end
    return text;
}

class FilterText : public testing::TestWithParam<unsigned> {};

TEST_P(FilterText, MatchesTheReferenceAcrossReadsAndBatches) {
    const std::string text = RandomText(GetParam(), 300 * 1024);
    const std::string filtered = ThroughFilter(text);
    const std::string expected = ReferenceFiltered(text);
    ASSERT_EQ(filtered.size(), expected.size()) << "seed " << GetParam();
    EXPECT_TRUE(filtered == expected)
        << "seed " << GetParam() << ", first difference at "
        << std::mismatch(filtered.begin(), filtered.end(), expected.begin()).first -
               filtered.begin();
}

INSTANTIATE_TEST_SUITE_P(Seeds, FilterText, testing::Values(1u, 2u, 3u, 4u));
} // namespace
