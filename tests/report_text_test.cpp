// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The sentences of warnings and the UTF-8 form of names from files.
#include "report/warning_text.h"

#include "quillform/diagnostics.h"
#include "quillform/names.h"

#include <gtest/gtest.h>

using namespace quillform::detail;

namespace {
TEST(WarningText, SingularPluralLayerAndUnknownCodes) {
    EXPECT_EQ(WarningText(quillform::Warning{"duplicates", "CUT", 1, "", 0, ""}),
              "1 duplicate entity removed on layer CUT");
    EXPECT_EQ(WarningText(quillform::Warning{"duplicates", "CUT", 3, "", 0, ""}),
              "3 duplicate entities removed on layer CUT");
    EXPECT_EQ(
        WarningText(quillform::Warning{"distanceTooLarge", "", 1, "", 2e-5, "the distance is big"}),
        "the distance is big: ends far apart may be joined; a distance such as 2E-5 suits "
        "it");
    EXPECT_EQ(WarningText(quillform::Warning{"noSuchCode", "", 4, "", 0, ""}), "noSuchCode: 4");
}

TEST(WarningReport, CountsAddUpPerCodeAndLayer) {
    quillform::Diagnostics report;
    report.Warn("duplicates", "A");
    report.Warn("duplicates", "B", 2);
    report.Warn("duplicates", "A", 4);
    ASSERT_EQ(report.warnings.size(), 2u);
    EXPECT_EQ(report.warnings[0].count, 5);
    EXPECT_EQ(report.warnings[1].count, 2);
    report.Ignore("TEXT");
    report.Ignore("TEXT");
    report.Ignore("SPLINE", "--accurate would use them");
    ASSERT_EQ(report.ignored.size(), 2u);
    EXPECT_EQ(report.ignored[0].count, 2);
    EXPECT_EQ(report.ignored[1].hint, "--accurate would use them");
}

struct NameCase {
    const char* bytes;
    const char* utf8;
};

class NameToUtf8Cases : public testing::TestWithParam<NameCase> {};

// Whatever the locale (the tests run in "C"), UTF-8 names stay as they are
// and other bytes are read one by one as Latin-1.
TEST_P(NameToUtf8Cases, WhateverTheLocale) {
    EXPECT_EQ(quillform::NameToUtf8(GetParam().bytes), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameToUtf8Cases,
    testing::Values(NameCase{"CUT", "CUT"},
                    NameCase{"Au\xC3\x9F"
                             "en",
                             "Au\xC3\x9F"
                             "en"},
                    NameCase{"\xE9\x83\xA8\xE5\x93\x81", "\xE9\x83\xA8\xE5\x93\x81"},
                    NameCase{"Au\xDF"
                             "en",
                             "Au\xC3\x9F"
                             "en"},                                       // Windows-1252
                    NameCase{"\xC0\xAF", "\xC3\x80\xC2\xAF"},             // overlong '/'
                    NameCase{"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"}, // a surrogate
                    NameCase{"", ""}));
} // namespace
