// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// How the reader takes what CAD programs write: closed Bezier splines far
// from the origin, entities in vertical planes, spline-fit polylines and
// names in a code page (drawings written with ezdxf by
// tests/data/accurate/make_input_cases.py, and drawings that came with
// reports, in tests/data/reported).
#include "test_support.h"

#include "collect/name_decoding.h"
#include "expand/curves/biarc_fitting.h"

#include "quillform/drawing.h"
#include "quillform/outline_measures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

quillform::Drawing Read(const std::string& name, bool accurate, double distance = 0.01) {
    quillform::Settings settings;
    settings.accurate = accurate;
    settings.distance = distance;
    return quillform::ReadDrawing(TestData(name), settings);
}

const quillform::Layer* FindLayer(const quillform::Drawing& drawing, const std::string& name) {
    for (const quillform::Layer& layer : drawing.layers)
        if (layer.name == name)
            return &layer;
    return nullptr;
}

int64_t WarningCount(const quillform::Drawing& drawing, const std::string& code,
                     const std::string& layer) {
    int64_t count = 0;
    for (const quillform::Warning& w : drawing.warnings)
        if (w.code == code && w.layer == layer)
            count += w.count;
    return count;
}

const double kPi = 3.141592653589793;

// A 14 x 14 square with corners of radius 1 drawn as cubic Bezier pieces
// (AutoCAD's closed clamped splines), at offsets 0 to 1000 along x and along
// the diagonal, one per layer: every one is kept, with the same outline
// moved by its offset.
TEST(AccurateInput, ClosedBezierSplineIsKeptWhereverItLies) {
    const quillform::Drawing drawing = Read("accurate/bezier_square_sweep.dxf", true);
    ASSERT_TRUE(drawing.Read());
    EXPECT_EQ(drawing.layers.size(), 2u + 202u); // 0 and Defpoints besides
    for (const quillform::Warning& w : drawing.warnings)
        EXPECT_NE(w.code, "curveNotFitted") << w.layer;
    const quillform::Layer* origin = FindLayer(drawing, "X0000");
    ASSERT_NE(origin, nullptr);
    ASSERT_EQ(origin->shapes.size(), 1u);
    const double area = quillform::EnclosedArea(origin->shapes[0]);
    // The Bezier quarter circles bulge out by at most 0.03 % of the radius.
    EXPECT_NEAR(area, 196 - 4 + kPi, 1e-3);
    for (int offset = 0; offset <= 1000; offset += 10)
        for (const char* axis : {"X", "D"}) {
            char name[8];
            std::snprintf(name, sizeof name, "%s%04d", axis, offset);
            const quillform::Layer* layer = FindLayer(drawing, name);
            ASSERT_NE(layer, nullptr) << name;
            ASSERT_EQ(layer->shapes.size(), 1u) << name;
            const quillform::Shape& shape = layer->shapes[0];
            EXPECT_TRUE(shape.holes.empty()) << name;
            EXPECT_NEAR(quillform::EnclosedArea(shape), area, 1e-9 * area) << name;
            const double dy = axis[0] == 'D' ? offset : 0;
            EXPECT_NEAR(shape.bounds.minX, offset, 1e-9 * (offset + 14)) << name;
            EXPECT_NEAR(shape.bounds.maxY, dy + 14, 1e-9 * (offset + 14)) << name;
        }
}

// The frame of a spline-fit POLYLINE (vertices flagged 16) is not drawn: the
// outline is its 12 curve vertices.
TEST(AccurateInput, SplineFitPolylineIsItsCurveNotItsFrame) {
    const quillform::Drawing drawing = Read("reported/spline_fit_polyline_frame.dxf", true);
    const quillform::Layer* cut = FindLayer(drawing, "CUT");
    ASSERT_NE(cut, nullptr);
    ASSERT_EQ(cut->shapes.size(), 1u);
    const quillform::Shape& shape = cut->shapes[0];
    EXPECT_EQ(shape.vertices.size(), 12u);
    EXPECT_NEAR(quillform::EnclosedArea(shape), 129.4925, 1e-4);
    EXPECT_NEAR(shape.bounds.minX, 1.1111, 1e-4);
    EXPECT_NEAR(shape.bounds.minY, 0.5556, 1e-4);
    EXPECT_NEAR(shape.bounds.maxX, 18.8889, 1e-4);
    EXPECT_NEAR(shape.bounds.maxY, 9.4444, 1e-4);
    // The reader's own rules keep every vertex, as they always have.
    const quillform::Drawing literal = Read("reported/spline_fit_polyline_frame.dxf", false);
    ASSERT_EQ(FindLayer(literal, "CUT")->shapes.size(), 1u);
    EXPECT_EQ(FindLayer(literal, "CUT")->shapes[0].vertices.size(), 16u);
}

// A plate whose bottom and top sides are polylines in vertical planes (as
// Rhino writes them) closes as a plan view shows it.
TEST(AccurateInput, VerticalPlaneEntitiesAreSeenFromAbove) {
    const quillform::Drawing drawing = Read("accurate/vertical_plane.dxf", true);
    const quillform::Layer* plate = FindLayer(drawing, "PLATE");
    ASSERT_NE(plate, nullptr);
    ASSERT_EQ(plate->shapes.size(), 1u);
    const quillform::Shape& shape = plate->shapes[0];
    EXPECT_NEAR(quillform::EnclosedArea(shape), 800, 1e-9);
    EXPECT_EQ(shape.holes.size(), 1u);
    EXPECT_EQ(WarningCount(drawing, "verticalPlane", "PLATE"), 2);
    // Beside it: a circle and an arc show as lines; a polyline running
    // straight up shows as a point and is left out.
    EXPECT_EQ(WarningCount(drawing, "verticalPlane", "SIDE"), 2);
    EXPECT_EQ(WarningCount(drawing, "edgeOnPlane", "SIDE"), 1);
    std::vector<std::vector<double>> lines;
    for (const quillform::OpenChain& chain : drawing.openChains) {
        ASSERT_EQ(chain.layer, "SIDE");
        std::vector<double> ends{chain.first.x, chain.first.y, chain.last.x, chain.last.y};
        if (ends[0] > ends[2] || (ends[0] == ends[2] && ends[1] > ends[3]))
            ends = {ends[2], ends[3], ends[0], ends[1]};
        lines.push_back(ends);
    }
    std::sort(lines.begin(), lines.end());
    ASSERT_EQ(lines.size(), 2u);
    const double expected[2][4] = {{57, 5, 63, 5}, {70, 5, 70, 7}};
    for (size_t i = 0; i < 2; ++i)
        for (size_t k = 0; k < 4; ++k)
            EXPECT_NEAR(lines[i][k], expected[i][k], 1e-9) << i << " " << k;
}

// Names of files before AutoCAD 2007 are in the header's code page, with
// \U+XXXX for what it lacks; in both modes they come out as UTF-8.
TEST(AccurateInput, NamesAreDecodedFromTheCodePageAndEscapes) {
    const std::string layer = "\xE5\x9B\xBE\xE5\xB1\x82 01"; // 图层 01
    for (bool accurate : {false, true}) {
        for (const char* name :
             {"accurate/code_page_936.dxf", "reported/layer_name_u_escape.dxf"}) {
            const quillform::Drawing drawing = Read(name, accurate, 1);
            const quillform::Layer* found = FindLayer(drawing, layer);
            ASSERT_NE(found, nullptr) << name << " accurate " << accurate;
            EXPECT_EQ(found->bytes, layer);
            EXPECT_EQ(found->shapes.size(), 1u) << name;
        }
        // --layers takes the decoded name.
        quillform::Settings only;
        only.accurate = accurate;
        only.layers = {layer};
        const quillform::Drawing selected =
            quillform::ReadDrawing(TestData("accurate/code_page_936.dxf"), only);
        ASSERT_EQ(selected.layers.size(), 1u);
        EXPECT_EQ(selected.layers[0].name, layer);
    }
    // This file's header says Windows-1252, and its name is read so (as
    // ezdxf reads it too), though its bytes were written as GBK.
    const quillform::Drawing declared = Read("reported/layer_name_ansi936.dxf", false, 1);
    EXPECT_NE(FindLayer(declared, "\xC3\x8D\xC2\xBC\xC2\xB2\xC3\xA3 01"), nullptr); // Í¼²ã 01
}

struct DecodingCase {
    const char* version;
    const char* codePage;
    std::string name;
    std::string expected;
};

TEST(AccurateInput, NameDecodingFollowsVersionCodePageAndEscapes) {
    const std::string tu = "\xE5\x9B\xBE"; // 图
    const DecodingCase cases[] = {
        {"AC1015", "ANSI_936", "\xCD\xBC\xB2\xE3 01", tu + "\xE5\xB1\x82 01"},
        {"AC1015", "ansi_1252",
         "Au\xDF"
         "en",
         "Au\xC3\x9F"
         "en"},
        {"AC1015", "ANSI_1252", "\x80", "\xE2\x82\xAC"},  // the euro sign, not Latin-1
        {"AC1012", "DOS932", "\x90\x7D", "\xE5\x9B\xB3"}, // 図 in Shift-JIS
        {"AC1015", "ANSI_1252", "\\U+56fe-\\U+1F600",
         tu + "-\xE1\xBD\xA0"
              "0"},                                                      // four digits
        {"AC1015", "ANSI_1252", "\\U+D83D\\U+DE00", "\xF0\x9F\x98\x80"}, // a surrogate pair
        {"AC1015", "ANSI_1252", "\\U+12G4", "\\U+12G4"},
        {"AC1015", "ANSI_1252", tu, tu},        // valid UTF-8 stays, whatever the header says
        {"AC1015", "", "\xCD\xBC", "\xCD\xBC"}, // no code page: the bytes stay
        {"AC1015", "NO_SUCH_PAGE", "\xCD\xBC", "\xCD\xBC"},
        {"AC1021", "ANSI_936", "\\U+56FE", "\\U+56FE"}, // 2007 on: UTF-8, nothing escaped
        {"AC1015", "ANSI_936", "plain", "plain"},
    };
    for (const DecodingCase& c : cases) {
        quillform::detail::TNameDecoding decode;
        decode.HeaderVariable("$ACADVER", c.version);
        if (*c.codePage)
            decode.HeaderVariable("$DWGCODEPAGE", c.codePage);
        EXPECT_EQ(decode(c.name), c.expected) << c.version << " " << c.codePage << " " << c.name;
        EXPECT_EQ(decode(c.name), c.expected) << "again, from what was decoded before";
    }
}

TEST(AccurateInput, CodePagesAsIconvNamesThem) {
    const std::pair<const char*, const char*> names[] = {
        {"ANSI_936", "CP936"},
        {"ANSI_1252", "CP1252"},
        {"ansi_932", "CP932"},
        {"DOS850", "CP850"},
        {"dos932", "CP932"},
        {"ISO8859-1", "ISO-8859-1"},
        {"ISO8859-15", "ISO-8859-15"},
        {"ANSI_1361", "JOHAB"},
        {"BIG5", "BIG5"},
        {"UTF8", "UTF-8"},
        {"ANSI_", ""},
        {"", ""},
        {"MACINTOSH", "MACINTOSH"},
        {"UNKNOWN", ""},
    };
    for (const auto& [header, iconv] : names)
        EXPECT_EQ(quillform::detail::IconvCodePage(header), iconv) << header;
}

// A half circle whose derivatives point the wrong way (outwards): no biarc
// follows it, yet it is drawn, as chords within the tolerance.
class TMisleadingArc : public quillform::detail::TParametricCurve {
public:
    quillform::detail::TCurveSample Evaluate(double t, bool) const override {
        const TPoint2D p(std::cos(t), std::sin(t));
        return {p, p};
    }
    int PiecesBetween(double, double) const override { return 1; }
    double Extent() const override { return 2; }
};

TEST(AccurateInput, CurveThatNoBiarcFollowsIsDrawnAsChords) {
    quillform::detail::TCurveFitRequest request;
    request.breaks = {0, kPi};
    request.tolerance = 1e-4;
    const TMisleadingArc curve;
    const quillform::detail::TFittedChain chain = quillform::detail::FitCurve(curve, request);
    ASSERT_FALSE(chain.empty());
    EXPECT_NEAR(chain.front().start.X, 1, 1e-12);
    EXPECT_NEAR(chain.back().end.X, -1, 1e-12);
    for (size_t i = 0; i < chain.size(); ++i) {
        if (i > 0) {
            EXPECT_EQ(chain[i].start.X, chain[i - 1].end.X);
            EXPECT_EQ(chain[i].start.Y, chain[i - 1].end.Y);
        }
        // Every point of the chain lies on or just inside the circle.
        for (double f : {0.0, 0.5, 1.0}) {
            const TPoint2D p = quillform::detail::PointOnEdge(chain[i], f);
            const double r = std::hypot(p.X, p.Y);
            EXPECT_LE(r, 1 + 1e-12);
            EXPECT_GE(r, 1 - 1.5e-4);
        }
    }
}

} // namespace
