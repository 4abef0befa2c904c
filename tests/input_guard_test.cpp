// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The input filter between a file and dxflib: lines, encodings and the
// counts dxflib sizes its buffers by.
#include "collect/dxf_input_filter.h"
#include "collect/dxf_line_source.h"
#include "collect/group_guard.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <istream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

using namespace quillform::detail;

namespace {
std::string WriteTemporary(const std::string& bytes) {
    // ctest runs tests in parallel processes: one file per process.
    const std::string path =
        testing::TempDir() + "quillform_guard_input_" + std::to_string(getpid()) + ".dxf";
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::vector<std::string> LinesOf(const std::string& bytes,
                                 TDxfLineSource::Encoding* encoding = nullptr,
                                 int64_t* cut = nullptr) {
    const std::string path = WriteTemporary(bytes);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::remove(path.c_str()); // the open file stays readable; nothing is left behind
    TDxfLineSource source(file, static_cast<int64_t>(bytes.size()));
    std::vector<std::string> lines;
    for (std::string line; source.Next(line);)
        lines.push_back(line);
    if (encoding)
        *encoding = source.TextEncoding();
    if (cut)
        *cut = source.CutLines();
    std::fclose(file);
    return lines;
}

// What dxflib reads when given the named file.
std::string Filtered(const std::string& path, TInputFindings* findings = nullptr) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    EXPECT_NE(file, nullptr) << path;
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::rewind(file);
    TDxfInputFilter filter(file, size);
    std::istream in(&filter);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (findings)
        *findings = filter.Findings();
    std::fclose(file);
    return text;
}

struct LineCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

std::string Utf16(const std::u16string& text, bool little, bool bom) {
    std::string bytes = bom ? (little ? "\xFF\xFE" : "\xFE\xFF") : "";
    for (char16_t c : text) {
        const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
        bytes += little ? std::string{lo, hi} : std::string{hi, lo};
    }
    return bytes;
}

class LineSplitting : public testing::TestWithParam<LineCase> {};

TEST_P(LineSplitting, OneFileLineIsOneParserLine) {
    EXPECT_EQ(LinesOf(GetParam().bytes), GetParam().lines) << GetParam().name;
}

// 32767 lines "x" and a "y": the CR after it is the last byte of the first read.
std::string LinesBeforeReadBoundary() {
    std::string text;
    for (int i = 0; i < 32767; ++i)
        text += "x\n";
    return text + "y";
}

std::vector<std::string> SplitAtReadBoundary() {
    std::vector<std::string> lines(32767, "x");
    lines.push_back("y");
    lines.push_back("z");
    return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineSplitting,
    testing::Values(
        LineCase{"lf", "0\nLINE\n", {"0", "LINE"}},
        LineCase{"crlf", "0\r\nLINE\r\n", {"0", "LINE"}},
        LineCase{"cr_only", "0\rLINE\r8\r", {"0", "LINE", "8"}},
        LineCase{"mixed_and_empty", "a\r\n\rb\n\nc", {"a", "", "b", "", "c"}},
        LineCase{"lf_cr_is_two_ends", "a\n\rb", {"a", "", "b"}},
        LineCase{"no_final_end", "0\nEOF", {"0", "EOF"}}, LineCase{"empty_file", "", {}},
        // CR as the last byte of one read and LF as the first of the next
        LineCase{"crlf_split_between_reads", LinesBeforeReadBoundary() + "\r\nz\n",
                 SplitAtReadBoundary()},
        LineCase{"utf8_bom_dropped",
                 "\xEF\xBB\xBF"
                 "0\nSECTION\n",
                 {"0", "SECTION"}},
        LineCase{"utf16le_bom", Utf16(u"0\r\nMa\u00DF\r\n", true, true), {"0", "Ma\xC3\x9F"}},
        LineCase{"utf16be_without_bom", Utf16(u"  0\nLINE\n", false, false), {"  0", "LINE"}},
        LineCase{"utf16_surrogate_pair", Utf16(u"\U0001F600\n", true, true), {"\xF0\x9F\x98\x80"}},
        LineCase{"utf16_lone_surrogate", Utf16(u"a\xD800\n", true, true), {"a\xEF\xBF\xBD"}},
        LineCase{
            "binary_gives_nothing", std::string("AutoCAD Binary DXF\r\n\x1A\0", 22) + "0\n", {}}),
    [](const testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

struct LongLineCase {
    size_t length;
    bool cut;
};

class LongLines : public testing::TestWithParam<LongLineCase> {};

TEST_P(LongLines, AreCutToWhatDxflibReadsInOnePieceAndKeepStep) {
    const size_t length = GetParam().length;
    int64_t cut = 0;
    const auto lines = LinesOf("8\n" + std::string(length, 'N') + "\n10\n1.5\n", nullptr, &cut);
    ASSERT_EQ(lines.size(), 4u) << length;
    EXPECT_EQ(lines[1], std::string(std::min(length, TDxfLineSource::kLongestLine), 'N')) << length;
    EXPECT_EQ(lines[2], "10") << length;
    EXPECT_EQ(lines[3], "1.5") << length;
    EXPECT_EQ(cut, GetParam().cut ? 1 : 0) << length;
}

INSTANTIATE_TEST_SUITE_P(Lengths, LongLines,
                         testing::Values(LongLineCase{1022, false}, LongLineCase{1023, false},
                                         LongLineCase{1024, true}, LongLineCase{5000, true},
                                         LongLineCase{200000, true}));

TEST(LineSource, RecognisesEncodings) {
    TDxfLineSource::Encoding encoding{};
    LinesOf(Utf16(u"0\n", true, false), &encoding);
    EXPECT_EQ(encoding, TDxfLineSource::Encoding::Utf16LE);
    LinesOf(Utf16(u"0\n", false, true), &encoding);
    EXPECT_EQ(encoding, TDxfLineSource::Encoding::Utf16BE);
    LinesOf("0\nSECTION\n", &encoding);
    EXPECT_EQ(encoding, TDxfLineSource::Encoding::Bytes);
    LinesOf("AutoCAD Binary DXF\r\n", &encoding);
    EXPECT_EQ(encoding, TDxfLineSource::Encoding::Binary);
}

// The guard sees the lines as the parser does and lowers only the counts
// that size a buffer, to at most a quarter of the bytes that follow.
struct GuardCase {
    const char* name;
    std::vector<std::string> lines;
    int64_t remaining; // bytes after each line
    std::vector<std::string> expected;
};

class CountGuard : public testing::TestWithParam<GuardCase> {};

TEST_P(CountGuard, LowersOnlyBufferSizingCounts) {
    TGroupGuard guard;
    std::vector<std::string> lines = GetParam().lines;
    for (std::string& line : lines)
        guard.Line(line, GetParam().remaining);
    EXPECT_EQ(lines, GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CountGuard,
    testing::Values(
        GuardCase{"lwpolyline_90",
                  {"0", "LWPOLYLINE", "90", "1073741824"},
                  400,
                  {"0", "LWPOLYLINE", "90", "100"}},
        GuardCase{"count_that_fits_is_kept",
                  {"0", "LWPOLYLINE", "90", "100"},
                  400,
                  {"0", "LWPOLYLINE", "90", "100"}},
        GuardCase{"negative_is_kept",
                  {"0", "LWPOLYLINE", "90", "-7"},
                  400,
                  {"0", "LWPOLYLINE", "90", "-7"}},
        GuardCase{"spline_counts_share_the_rest",
                  {"0", "SPLINE", "72", "60", "73", "99999", "74", "99999"},
                  400,
                  {"0", "SPLINE", "72", "60", "73", "40", "74", "0"}},
        GuardCase{"leader_76", {"0", "LEADER", "76", "268435456"}, 40, {"0", "LEADER", "76", "10"}},
        GuardCase{"hatch_76_is_no_count",
                  {"0", "HATCH", "76", "268435456"},
                  40,
                  {"0", "HATCH", "76", "268435456"}},
        GuardCase{"polyline_flags_untouched",
                  {"0", "LWPOLYLINE", "70", "99999"},
                  40,
                  {"0", "LWPOLYLINE", "70", "99999"}},
        GuardCase{"next_entity_starts_afresh",
                  {"0", "LWPOLYLINE", "90", "5", "0", "LINE", "90", "99999"},
                  40,
                  {"0", "LWPOLYLINE", "90", "5", "0", "LINE", "90", "99999"}},
        // strtol cut to int: 4294967386 is group 90 for dxflib
        GuardCase{"code_that_wraps_to_90",
                  {"0", "LWPOLYLINE", "4294967386", "99999"},
                  40,
                  {"0", "LWPOLYLINE", "4294967386", "10"}},
        // dxflib keeps strtol's long as an int: 6442450943 arrives as 2147483647
        GuardCase{"value_that_wraps_to_a_large_int",
                  {"0", "LWPOLYLINE", "90", "6442450943"},
                  40,
                  {"0", "LWPOLYLINE", "90", "10"}},
        GuardCase{"value_that_wraps_to_minus_one",
                  {"0", "LWPOLYLINE", "90", "99999999999999999999999"},
                  40,
                  {"0", "LWPOLYLINE", "90", "99999999999999999999999"}},
        GuardCase{"name_with_spaces_and_case",
                  {"  0", " lwpolyline ", " 90", "99999"},
                  40,
                  {"  0", " lwpolyline ", " 90", "10"}},
        GuardCase{"name_cut_at_nul",
                  {"0", std::string("LWPOLYLINE\0x", 12), "90", "99999"},
                  40,
                  {"0", std::string("LWPOLYLINE\0x", 12), "90", "10"}},
        GuardCase{"huge_file_stays_in_int_arithmetic",
                  {"0", "LWPOLYLINE", "90", "2147483647"},
                  int64_t{1} << 40,
                  {"0", "LWPOLYLINE", "90", "536870911"}}),
    [](const testing::TestParamInfo<GuardCase>& info) { return std::string(info.param.name); });

TEST(CountGuard, NotesSectionAndEndMarkers) {
    TGroupGuard guard;
    for (std::string line : {"0", "SECTION", "0", "ENDSEC"})
        guard.Line(line, 0);
    EXPECT_TRUE(guard.SawSection());
    EXPECT_FALSE(guard.SawEof());
    for (std::string line : {"0", "EOF"})
        guard.Line(line, 0);
    EXPECT_TRUE(guard.SawEof());
}

// Each guarded count through a real file: the count dxflib reads is no more
// than the rest of the file could hold, and the file's other contents pass.
class GuardedCountFile : public testing::TestWithParam<const char*> {};

TEST_P(GuardedCountFile, ReachesDxflibLowered) {
    std::ifstream in(TestData(GetParam()), std::ios::binary);
    const std::string original((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    TInputFindings findings;
    const std::string text = Filtered(TestData(GetParam()), &findings);
    EXPECT_EQ(findings.loweredCounts, 1) << GetParam();
    // The count is line 10: 0/SECTION, 2/ENTITIES, 0/entity, 8/layer, code/count.
    size_t at = 0;
    for (int i = 0; i < 9; ++i)
        at = text.find('\n', at) + 1;
    const size_t end = text.find('\n', at);
    const long long count = std::stoll(text.substr(at, end - at));
    EXPECT_LE(count * TGroupGuard::kShortestItem, static_cast<long long>(text.size() - end - 1))
        << GetParam();
    EXPECT_GE(count, 0) << GetParam();
    EXPECT_EQ(text.substr(end), original.substr(original.size() - (text.size() - end)))
        << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Files, GuardedCountFile,
                         testing::Values("count_lwpolyline_90.dxf", "count_spline_72.dxf",
                                         "count_spline_73.dxf", "count_spline_74.dxf",
                                         "count_leader_76.dxf", "count_code_wraps.dxf"));

TEST(InputFilter, NormalisesLineEndsOnTheWayToTheParser) {
    const std::string lf = Filtered(TestData("square_with_circle_hole.dxf"));
    EXPECT_EQ(Filtered(TestData("line_ends_cr.dxf")), lf);
    EXPECT_EQ(Filtered(TestData("line_ends_crlf.dxf")), lf);
}

TEST(InputFilter, FindsMarkersAndEncodings) {
    TInputFindings findings;
    Filtered(TestData("truncated_mid_entity.dxf"), &findings);
    EXPECT_TRUE(findings.sawSection);
    EXPECT_FALSE(findings.sawEof);
    Filtered(TestData("only_eof.dxf"), &findings);
    EXPECT_FALSE(findings.sawSection);
    EXPECT_TRUE(findings.sawEof);
    EXPECT_EQ(Filtered(TestData("binary_dxf.dxf"), &findings), "");
    EXPECT_EQ(findings.encoding, TDxfLineSource::Encoding::Binary);
    Filtered(TestData("utf16le_bom.dxf"), &findings);
    EXPECT_EQ(findings.encoding, TDxfLineSource::Encoding::Utf16LE);
    EXPECT_TRUE(findings.sawEof);
}
} // namespace
