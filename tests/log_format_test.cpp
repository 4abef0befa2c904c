// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/entity_log.h"
#include "quillform/number_format.h"

#include <gtest/gtest.h>

#include <string>

namespace {
struct NumberCase {
    double value;
    wchar_t separator;
    std::wstring expected;
};

class NumberFormat : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberFormat, GeneralFormatWithFifteenDigits) {
    EXPECT_EQ(quillform::FormatNumber(GetParam().value, GetParam().separator), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberFormat,
    testing::Values(NumberCase{0.0, L'.', L"0"}, NumberCase{-0.0, L'.', L"0"},
                    NumberCase{5.5, L'.', L"5.5"}, NumberCase{5.5, L',', L"5,5"},
                    NumberCase{-1.0, L'.', L"-1"}, NumberCase{1e15, L'.', L"1E15"},
                    NumberCase{123456789012345.0, L'.', L"123456789012345"},
                    NumberCase{1.5e-7, L'.', L"1.5E-7"}, NumberCase{1.5e-7, L',', L"1,5E-7"},
                    NumberCase{0.0001, L'.', L"0.0001"}, NumberCase{0.00009, L'.', L"9E-5"},
                    NumberCase{1.0 / 3.0, L'.', L"0.333333333333333"},
                    NumberCase{-2.0 / 3.0, L'.', L"-0.666666666666667"},
                    NumberCase{1e20, L'.', L"1E20"}, NumberCase{-1.25e-100, L'.', L"-1.25E-100"},
                    NumberCase{10.0, L'.', L"10"}));

TEST(NumberFormat, IntegersArePlainDecimal) {
    EXPECT_EQ(quillform::FormatInt(0), L"0");
    EXPECT_EQ(quillform::FormatInt(-17), L"-17");
}

TEST(EntityLogLines, SegmentExample) {
    EXPECT_EQ(quillform::entity_log::SegmentLine(0, 0, 0, 10, 5.5, 0, L"0", L'.'),
              L"Segment: Start(X=0; Y=0; Z=0)-End(X=10; Y=5.5; Z=0), Layer = 0");
}

TEST(EntityLogLines, EveryEventText) {
    EXPECT_EQ(quillform::entity_log::LayerLine(L"Cut"), L"Layer name: Cut");
    EXPECT_EQ(quillform::entity_log::CircleLine(1.5, -2, 0, 0.25, L"H", L','),
              L"Circle: (1,5;-2;0)-Radius = 0,25, Layer = H");
    EXPECT_EQ(quillform::entity_log::ArcLine(0, 0, 0, 1, 0, 90, 1, 0, 0, 1, L"A", L'.'),
              L"Arc: (center x=0; y=0; z=0) radius=1,angle(start= 0; end=90)"
              L"StartPoint(X= 1;Y=0), EndPoint(X=0;Y=1), Layer = A");
    EXPECT_EQ(quillform::entity_log::PolylineLine(4, 1, L"P"),
              L"Polyline: num nodes = 4, flag = 1, Layer = P");
    EXPECT_EQ(quillform::entity_log::VertexLine(1, 2, 0, -0.5, L'.'),
              L"Vertex (X=1; Y=2; Z=0) -Bulge = -0.5");
    EXPECT_EQ(quillform::entity_log::BlockLine(L"B"), L"Block name: B");
    EXPECT_EQ(quillform::entity_log::EndBlockLine(), L"End Block");
    EXPECT_EQ(quillform::entity_log::InsertLine(L"B", 10, 5, 0, L"Parts", L'.'),
              L"Insert Block name: BPosition (X=10; Y=5; Z=0), Layer = Parts");
}
} // namespace
