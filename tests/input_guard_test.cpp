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
    TDxfLineSource source(file);
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
    TDxfInputFilter filter(file);
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
        LineCase{"lf_cr_is_one_end", "a\n\rb\n\r\n\rc", {"a", "b", "", "c"}},
        LineCase{"crlf_then_lfcr", "a\r\n\n\rb", {"a", "", "b"}},
        LineCase{"no_final_end", "0\nEOF", {"0", "EOF"}}, LineCase{"empty_file", "", {}},
        // CR as the last byte of one read and LF as the first of the next
        LineCase{"crlf_split_between_reads", LinesBeforeReadBoundary() + "\r\nz\n",
                 SplitAtReadBoundary()},
        LineCase{"utf8_bom_then_binary_gives_nothing",
                 std::string("\xEF\xBB\xBF"
                             "AutoCAD Binary DXF\r\n\x1A\0",
                             25) +
                     "0\n",
                 {}},
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

// The guard sees the lines as the parser does: a count that sizes a buffer
// reaches dxflib as the number of items that follow it in its entity, and a
// numeric value dxflib cannot read as 0.
std::vector<std::string> Guarded(const std::vector<std::string>& lines, TGroupGuard& guard) {
    std::string out;
    for (const std::string& line : lines)
        guard.Line(line, out);
    guard.Finish(out);
    std::vector<std::string> result;
    for (size_t at = 0, end; (end = out.find('\n', at)) != std::string::npos; at = end + 1)
        result.push_back(out.substr(at, end - at));
    return result;
}

struct GuardCase {
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::string> expected;
    int64_t lowered, raised;
};

class CountGuard : public testing::TestWithParam<GuardCase> {};

TEST_P(CountGuard, SetsBufferSizingCountsToTheirItems) {
    TGroupGuard guard;
    EXPECT_EQ(Guarded(GetParam().lines, guard), GetParam().expected) << GetParam().name;
    EXPECT_EQ(guard.LoweredCounts(), GetParam().lowered) << GetParam().name;
    EXPECT_EQ(guard.RaisedCounts(), GetParam().raised) << GetParam().name;
}

const std::vector<std::string> kThreeVertices = {"10", "0", "20", "0", "10", "1",
                                                 "20", "0", "10", "1", "20", "1"};

std::vector<std::string> Lines(std::vector<std::string> head,
                               const std::vector<std::string>& tail = kThreeVertices) {
    head.insert(head.end(), tail.begin(), tail.end());
    head.insert(head.end(), {"0", "ENDSEC"});
    return head;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CountGuard,
    testing::Values(
        GuardCase{"lwpolyline_90_lowered", Lines({"0", "LWPOLYLINE", "90", "1073741824"}),
                  Lines({"0", "LWPOLYLINE", "90", "3"}), 1, 0},
        GuardCase{"count_that_matches_is_kept", Lines({"0", "LWPOLYLINE", "90", "3"}),
                  Lines({"0", "LWPOLYLINE", "90", "3"}), 0, 0},
        GuardCase{"count_too_small_is_raised", Lines({"0", "LWPOLYLINE", "90", "1"}),
                  Lines({"0", "LWPOLYLINE", "90", "3"}), 0, 1},
        GuardCase{"negative_without_items_is_kept", Lines({"0", "LWPOLYLINE", "90", "-7"}, {}),
                  Lines({"0", "LWPOLYLINE", "90", "-7"}, {}), 0, 0},
        GuardCase{"spline_counts_each_their_items",
                  Lines({"0", "SPLINE", "72", "60", "73", "99999", "74", "99999"},
                        {"40", "0", "40", "1", "10", "2", "20", "3"}),
                  Lines({"0", "SPLINE", "72", "2", "73", "1", "74", "0"},
                        {"40", "0", "40", "1", "10", "2", "20", "3"}),
                  3, 0},
        GuardCase{"leader_76", Lines({"0", "LEADER", "76", "268435456"}),
                  Lines({"0", "LEADER", "76", "3"}), 1, 0},
        GuardCase{"hatch_76_is_no_count", Lines({"0", "HATCH", "76", "268435456"}, {}),
                  Lines({"0", "HATCH", "76", "268435456"}, {}), 0, 0},
        GuardCase{"polyline_flags_untouched", Lines({"0", "LWPOLYLINE", "70", "99999"}, {}),
                  Lines({"0", "LWPOLYLINE", "70", "99999"}, {}), 0, 0},
        GuardCase{"next_entity_starts_afresh",
                  Lines({"0", "LWPOLYLINE", "90", "5", "0", "LINE", "90", "99999"}, {}),
                  Lines({"0", "LWPOLYLINE", "90", "0", "0", "LINE", "90", "99999"}, {}), 1, 0},
        // dxflib starts its buffer again at a second count: each counts what follows it
        GuardCase{"repeated_count", Lines({"0", "LWPOLYLINE", "90", "1", "10", "5", "90", "1"}),
                  Lines({"0", "LWPOLYLINE", "90", "1", "10", "5", "90", "3"}), 0, 1},
        // strtol cut to int: 4294967386 is group 90 for dxflib
        GuardCase{"code_that_wraps_to_90", Lines({"0", "LWPOLYLINE", "4294967386", "99999"}),
                  Lines({"0", "LWPOLYLINE", "4294967386", "3"}), 1, 0},
        // dxflib keeps strtol's long as an int: this one arrives as -1, which allocates nothing
        GuardCase{"value_that_wraps_to_minus_one",
                  Lines({"0", "LWPOLYLINE", "90", "99999999999999999999999"}, {}),
                  Lines({"0", "LWPOLYLINE", "90", "99999999999999999999999"}, {}), 0, 0},
        GuardCase{"name_with_spaces_and_case", Lines({"  0", " lwpolyline ", " 90", "99999"}),
                  Lines({"  0", " lwpolyline ", " 90", "3"}), 1, 0},
        GuardCase{"name_cut_at_nul", Lines({"0", std::string("LWPOLYLINE\0x", 12), "90", "99999"}),
                  Lines({"0", std::string("LWPOLYLINE\0x", 12), "90", "3"}), 1, 0},
        // dxflib takes a header variable's name as an object's kind too
        GuardCase{"variable_named_lwpolyline",
                  Lines({"30", "-1e+20", "9", "LWPOLYLINE", "90", "2147483647"}),
                  Lines({"30", "-1e+20", "9", "LWPOLYLINE", "90", "3"}), 1, 0},
        GuardCase{"variable_ends_the_entity",
                  Lines({"0", "LWPOLYLINE", "90", "7", "9", "$EXTMIN", "90", "7"}),
                  Lines({"0", "LWPOLYLINE", "90", "0", "9", "$EXTMIN", "90", "7"}), 1, 0},
        GuardCase{"file_that_ends_inside_the_entity",
                  {"0", "LWPOLYLINE", "90", "99", "10", "1"},
                  {"0", "LWPOLYLINE", "90", "1", "10", "1"},
                  1,
                  0}),
    [](const testing::TestParamInfo<GuardCase>& info) { return std::string(info.param.name); });

TEST(CountGuard, NotesSectionAndEndMarkers) {
    TGroupGuard guard;
    std::string out;
    for (std::string line : {"0", "SECTION", "0", "ENDSEC"})
        guard.Line(line, out);
    EXPECT_TRUE(guard.SawSection());
    EXPECT_FALSE(guard.SawEof());
    for (std::string line : {"0", "EOF"})
        guard.Line(line, out);
    EXPECT_TRUE(guard.SawEof());
}

// Values that dxflib would read as no number (an empty one leaves its double
// uninitialised) arrive as 0; every readable one passes as it is.
struct NumberCase {
    const char* code;
    std::string value;
    bool readable;
};

class NumberGuard : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberGuard, RewritesOnlyWhatDxflibCannotRead) {
    const NumberCase& c = GetParam();
    TGroupGuard guard;
    const std::vector<std::string> out =
        Guarded({"0", "LINE", "8", "0", c.code, c.value, "0", "EOF"}, guard);
    ASSERT_EQ(out.size(), 8u);
    EXPECT_EQ(out[5], c.readable ? c.value : "0") << c.code << " '" << c.value << "'";
    EXPECT_EQ(guard.BadNumbers(), c.readable ? 0 : 1) << c.code << " '" << c.value << "'";
    EXPECT_EQ(guard.FirstBadNumberLine(), c.readable ? 0 : 6) << c.code;
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberGuard,
    testing::Values(
        NumberCase{"10", "", false}, NumberCase{"21", "   ", false}, NumberCase{"40", "\t", false},
        NumberCase{"10",
                   std::string("\0"
                               "5",
                               2),
                   false},
        NumberCase{"10", "abc", false}, NumberCase{"10", "-", false}, NumberCase{"10", "1e", false},
        NumberCase{"142", "", false}, NumberCase{"210", "x", false}, NumberCase{"70", "", false},
        NumberCase{"90", "abc", false}, NumberCase{"1040", "", false},
        NumberCase{"10", "1.5", true}, NumberCase{"10", "-.5", true},
        NumberCase{"10", "  3.", true}, NumberCase{"10", "1e-05", true},
        NumberCase{"10", "1,5", true}, NumberCase{"10", "1.5x", true}, NumberCase{"10", "+7", true},
        NumberCase{"40", "1e999", true}, NumberCase{"40", "-1e999", true},
        NumberCase{"40", "1e-999", true}, NumberCase{"70", " 12abc", true},
        NumberCase{"70", "1.0", true}, NumberCase{"8", "", true}, NumberCase{"1", "", true},
        NumberCase{"999", "", true}, NumberCase{"5", "", true}, NumberCase{"1000", "", true}));

TEST(NumberGuard, TheBadValueOfALineWithALetterInItsCodeIsRewrittenToo) {
    // dxflib reads the code "21F" as 21 and then its empty value as a real.
    TGroupGuard guard;
    const std::vector<std::string> out = Guarded({"0", "LINE", "21F", "", "0", "EOF"}, guard);
    EXPECT_EQ(out[3], "0");
    EXPECT_EQ(guard.BadNumbers(), 1);
    EXPECT_EQ(guard.FirstBadNumberLine(), 4);
}

// Each guarded count through a real file: the count dxflib reads is the
// number of items that follow (none), and the file's other contents pass.
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
    EXPECT_EQ(text.substr(at, end - at), "0") << GetParam();
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
