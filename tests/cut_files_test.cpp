// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The cut files' own rules: names, winding and bulges, units and extents,
// parts left out, and files that fail without leaving anything behind.
#include "export/dxf_layers.h"
#include "export/dxf_text_writer.h"
#include "export/part_file_names.h"
#include "test_support.h"

#include "quillform/cut_files.h"
#include "quillform/units.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
namespace fs = std::filesystem;
using quillform::ArcEdge;
using quillform::CutFileOptions;
using quillform::CutFileResult;
using quillform::Drawing;
using quillform::Shape;
using quillform::Vertex;

// Group code and value pairs of a DXF text.
std::vector<std::pair<int, std::string>> Groups(const std::string& text) {
    std::vector<std::pair<int, std::string>> groups;
    std::istringstream in(text);
    std::string code, value;
    while (std::getline(in, code) && std::getline(in, value))
        groups.emplace_back(std::stoi(code), value);
    return groups;
}

// The value following a header variable's name.
std::string Header(const std::string& text, const std::string& variable, int code) {
    const auto groups = Groups(text);
    for (size_t k = 0; k + 1 < groups.size(); ++k)
        if (groups[k] == std::make_pair(9, variable))
            for (size_t j = k + 1; j < groups.size() && groups[j].first != 9; ++j)
                if (groups[j].first == code)
                    return groups[j].second;
    return "";
}

struct PolylineVertex {
    double x, y, bulge;
};

// The vertices (with bulges) of every LWPOLYLINE, with its layer.
std::vector<std::pair<std::string, std::vector<PolylineVertex>>>
Polylines(const std::string& text) {
    std::vector<std::pair<std::string, std::vector<PolylineVertex>>> polylines;
    for (const auto& [code, value] : Groups(text)) {
        if (code == 0 && value == "LWPOLYLINE")
            polylines.emplace_back();
        else if (code == 0)
            continue;
        if (polylines.empty())
            continue;
        auto& [layer, vertices] = polylines.back();
        if (code == 8)
            layer = value;
        else if (code == 10)
            vertices.push_back(PolylineVertex{std::stod(value), 0, 0});
        else if (code == 20)
            vertices.back().y = std::stod(value);
        else if (code == 42)
            vertices.back().bulge = std::stod(value);
    }
    return polylines;
}

Shape Square(double x, double y, double side) {
    Shape s;
    s.vertices = {{x, y, {}}, {x + side, y, {}}, {x + side, y + side, {}}, {x, y + side, {}}};
    s.bounds = {x, y, x + side, y + side};
    return s;
}

Drawing Sheet(std::vector<Shape> shapes, const std::string& unit = "mm") {
    Drawing d;
    d.file = "/somewhere/sheet.dxf";
    d.layers.push_back(quillform::Layer{"PLATE", "PLATE", std::move(shapes)});
    const auto u = quillform::UnitNamed(unit);
    d.unit = d.lengths = u ? quillform::Unit{u->code, u->name, u->millimetres} : quillform::Unit{};
    return d;
}

// An empty folder of this process's own (other runs of the tests may share
// the temporary folder), removed with what it holds at the end of the test.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name)
        : path_(fs::path(testing::TempDir()) /
                ("quillform_cut_" + std::to_string(getpid()) + "_" + name)) {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, ignored);
        fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    operator const fs::path&() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

std::vector<std::string> Listing(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// --- Names ---------------------------------------------------------------

struct NamesCase {
    const char* what;
    std::string stem;
    std::vector<quillform::detail::PartFileName> parts;
    std::vector<std::string> expected;
};

TEST(CutFileNames, SafeAndDistinct) {
    const std::string accented = "\xc3\xa9"; // é, two bytes
    std::string many;
    for (int k = 0; k < 300; ++k)
        many += accented;
    const std::vector<NamesCase> cases = {
        {"plain", "plate", {{"0", 0}, {"0", 1}}, {"plate-0-0.dxf", "plate-0-1.dxf"}},
        {"separators", "plate", {{"a/b\\c", 3}}, {"plate-a_b_c-3.dxf"}},
        {"reserved and control", "p", {{"x<>:\"|?*\ty", 0}}, {"p-x________y-0.dxf"}},
        {"leading dots", "..hidden", {{"0", 0}}, {"hidden-0-0.dxf"}},
        {"no stem", "", {{"0", 0}}, {"part-0-0.dxf"}},
        {"stem of dots", "...", {{"L", 2}}, {"part-L-2.dxf"}},
        {"not UTF-8",
         "p",
         {{"a\xff"
           "b",
           0}},
         {"p-a_b-0.dxf"}},
        {"clash",
         "p",
         {{"a/b", 0}, {"a_b", 0}, {"a:b", 0}},
         {"p-a_b-0.dxf", "p-a_b-0~2.dxf", "p-a_b-0~3.dxf"}},
        {"clash in case only",
         "p",
         {{"Plate", 1}, {"PLATE", 1}},
         {"p-Plate-1.dxf", "p-PLATE-1~2.dxf"}},
    };
    for (const NamesCase& c : cases)
        EXPECT_EQ(quillform::detail::PartFileNames(c.stem, c.parts), c.expected) << c.what;

    // Long names: each piece cut to whole characters.
    const std::string name = quillform::detail::PartFileNames(many, {{many, 7}})[0];
    EXPECT_LE(name.size(), 255u);
    EXPECT_EQ(name, many.substr(0, 100) + "-" + many.substr(0, 100) + "-7.dxf");
    EXPECT_EQ(quillform::detail::SafeFileNamePiece("a" + many, 100), "a" + many.substr(0, 98));
}

TEST(CutFileNames, DxfLayers) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"PLATE", "PLATE"},
        {"Au\xc3\x9f"
         "en",
         "Au\xdf"
         "en"},                     // in Windows-1252, the file's code page
        {"\xe2\x82\xac", "\x80"},   // the euro sign, where Latin-1 has none
        {"\xd0\x94\xd0\x95", "__"}, // Cyrillic: not in the code page
        {"a/b:c;d=e", "a_b_c_d_e"},
        {"tab\there", "tab_here"},
        {"", "_"},
        {"bad\xff", "bad_"},
    };
    for (const auto& [source, safe] : cases)
        EXPECT_EQ(quillform::detail::SafeDxfName(source), safe) << source;
    EXPECT_EQ(quillform::detail::SafeDxfName(std::string(300, 'x')).size(), 255u);

    quillform::detail::CutLayers layers(true);
    EXPECT_EQ(layers.Name("Plate", quillform::detail::ContourRole::Outer), "Plate-OUTER");
    EXPECT_EQ(layers.Name("PLATE", quillform::detail::ContourRole::Outer), "Plate-OUTER")
        << "DXF layer names do not tell case apart";
    EXPECT_EQ(layers.Name("PLATE", quillform::detail::ContourRole::Inner), "PLATE-INNER");
    EXPECT_EQ(layers.Declared().size(), 3u); // 0, Plate-OUTER, PLATE-INNER
}

TEST(CutDxf, RealsReadBackExactly) {
    for (double value : {10.0, 0.1, -0.0, 1e300, 1.5e-7, 123456789012.5, 1.0 / 3})
        EXPECT_EQ(std::stod(quillform::detail::ShortestReal(value)), value)
            << quillform::detail::ShortestReal(value);
    EXPECT_EQ(quillform::detail::ShortestReal(10), "10.0");
    EXPECT_EQ(quillform::detail::ShortestReal(1e300), "1e+300");
}

// --- Winding, bulges, units, extents ------------------------------------

TEST(CutDxf, ReversedOutlineMovesEachBulgeToTheOtherEndOfItsEdge) {
    // Clockwise: (0,0) (0,10) (10,10) (10,0), the edge from (10,10) to (10,0)
    // a half circle bulging out to x = 15.
    Shape cw;
    cw.vertices = {{0, 0, {}}, {0, 10, {}}, {10, 10, ArcEdge{{10, 5}, 5, true}}, {10, 0, {}}};
    Shape hole; // counter-clockwise, one quarter arc
    hole.vertices = {{2, 2, ArcEdge{{2, 4}, 2, false}}, {4, 4, {}}, {2, 4, {}}};
    cw.holes = {hole};
    const CutFileResult cut = quillform::CutDxf(Sheet({cw}));
    ASSERT_TRUE(cut.ok) << cut.error;
    const auto polylines = Polylines(cut.text);
    ASSERT_EQ(polylines.size(), 2u);
    const double quarter = std::tan(M_PI / 8);
    const std::vector<std::vector<double>> expected = {
        {2, 2, 0, 2, 4, 0, 4, 4, -quarter},       // the hole, clockwise: its arc leaves (4,4)
        {0, 0, 0, 10, 0, 1, 10, 10, 0, 0, 10, 0}, // the outline: the half circle leaves (10,0)
    };
    for (size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(polylines[k].first, k == 0 ? "INNER" : "OUTER");
        std::vector<double> found;
        for (const PolylineVertex& v : polylines[k].second)
            found.insert(found.end(), {v.x, v.y, v.bulge});
        ASSERT_EQ(found.size(), expected[k].size());
        for (size_t j = 0; j < found.size(); ++j)
            EXPECT_NEAR(found[j], expected[k][j], 1e-15) << "polyline " << k << " value " << j;
    }
}

TEST(CutDxf, WholeTurnBecomesTwoHalves) {
    Shape ring; // one vertex, an arc all the way round
    ring.vertices = {{5, 0, ArcEdge{{0, 0}, 5, false}}};
    const auto polylines = Polylines(quillform::CutDxf(Sheet({ring})).text);
    ASSERT_EQ(polylines.size(), 1u);
    const auto& v = polylines[0].second;
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(v[0].x, 5);
    EXPECT_EQ(v[1].x, -5);
    EXPECT_NEAR(v[0].bulge, 1, 1e-15);
    EXPECT_NEAR(v[1].bulge, 1, 1e-15);
}

TEST(CutDxf, UnitsAndExtents) {
    Shape circle;
    circle.kind = quillform::OutlineKind::Circle;
    circle.circle = {{5, 5}, 2};
    Shape arc; // its arc reaches x = 25, past both its vertices
    arc.vertices = {{20, 0, ArcEdge{{20, 5}, 5, false}}, {20, 10, {}}};
    const Drawing sheet = Sheet({circle, arc});
    const CutFileResult mm = quillform::CutDxf(sheet);
    EXPECT_EQ(Header(mm.text, "$INSUNITS", 70), "4");
    EXPECT_EQ(Header(mm.text, "$MEASUREMENT", 70), "1");
    EXPECT_EQ(Header(mm.text, "$EXTMIN", 10), "3.0");
    EXPECT_EQ(Header(mm.text, "$EXTMIN", 20), "0.0");
    EXPECT_EQ(Header(mm.text, "$EXTMAX", 10), "25.0");
    EXPECT_EQ(Header(mm.text, "$EXTMAX", 20), "10.0");
    EXPECT_EQ(Header(mm.text, "$ACADVER", 1), "AC1015");

    CutFileOptions inches;
    inches.outputUnits = "in";
    const CutFileResult in = quillform::CutDxf(sheet, inches);
    EXPECT_EQ(Header(in.text, "$INSUNITS", 70), "1");
    EXPECT_EQ(Header(in.text, "$MEASUREMENT", 70), "0");
    EXPECT_DOUBLE_EQ(std::stod(Header(in.text, "$EXTMAX", 10)), 25 / 25.4);

    CutFileOptions nonsense;
    nonsense.outputUnits = "furlong";
    EXPECT_FALSE(quillform::CutDxf(sheet, nonsense).ok);
    EXPECT_FALSE(quillform::CutDxf(Sheet({circle}, "unknown"), inches).ok)
        << "a drawing without a unit cannot be converted";

    const CutFileResult empty = quillform::CutDxf(Sheet({}));
    EXPECT_TRUE(empty.ok);
    EXPECT_EQ(Header(empty.text, "$EXTMIN", 10), "1e+20");
    EXPECT_EQ(Header(empty.text, "$EXTMAX", 10), "-1e+20");
}

TEST(CutDxf, HugeNumbersAreWrittenInFull) {
    // dxflib's own writer prints reals into a 256-byte buffer: 1e300 overflows it.
    Shape circle;
    circle.kind = quillform::OutlineKind::Circle;
    circle.circle = {{0, 0}, 1e300};
    const ScratchFolder scratch("huge");
    const fs::path file = scratch / "huge.dxf";
    const CutFileResult written =
        quillform::WriteCutFile(quillform::CutDxf(Sheet({circle})), file, {});
    ASSERT_TRUE(written.ok) << written.error;
    quillform::Settings settings;
    settings.holesAcrossLayers = true;
    const Drawing back = quillform::ReadDrawing(file, settings);
    const auto outer = std::find_if(back.layers.begin(), back.layers.end(),
                                    [](const quillform::Layer& l) { return l.name == "OUTER"; });
    ASSERT_NE(outer, back.layers.end());
    ASSERT_EQ(outer->shapes.size(), 1u);
    EXPECT_EQ(outer->shapes[0].circle.radius, 1e300);
}

TEST(CutDxf, OpenChainsOnTheirOwnLayerWhenAsked) {
    quillform::Settings keep;
    keep.openMode = 1;
    const Drawing d = quillform::ReadDrawing(TestData("open_chain_and_square.dxf"), keep);
    ASSERT_EQ(d.openChains.size(), 1u);
    const auto closedOnly = Polylines(quillform::CutDxf(d).text);
    ASSERT_EQ(closedOnly.size(), 1u) << "an open chain kept as a shape is no closed contour";
    EXPECT_EQ(closedOnly[0].first, "OUTER");

    CutFileOptions options;
    options.openChains = true;
    options.keepLayers = true;
    const CutFileResult cut = quillform::CutDxf(d, options);
    const auto polylines = Polylines(cut.text);
    ASSERT_EQ(polylines.size(), 2u);
    EXPECT_EQ(polylines[0].first, "0-OUTER");
    EXPECT_EQ(polylines[1].first, "0-OPEN");
    EXPECT_EQ(polylines[1].second.size(), d.openChains[0].vertices.size());
    const auto groups = Groups(cut.text);
    const auto open =
        std::find(groups.begin(), groups.end(), std::make_pair(8, std::string("0-OPEN")));
    ASSERT_NE(open, groups.end());
    EXPECT_EQ(std::find_if(open, groups.end(), [](const auto& g) { return g.first == 70; })->second,
              "0")
        << "not closed";
}

// --- Parts left out -----------------------------------------------------

TEST(CutFiles, PartWithNonFiniteCoordinateIsLeftOutOfEveryFile) {
    Shape bad = Square(20, 0, 5);
    bad.holes = {Square(21, 1, 1)};
    bad.holes[0].vertices[2].x = std::nan("");
    const Drawing sheet = Sheet({Square(0, 0, 5), bad, Square(40, 0, 5)});
    for (const CutFileResult& made :
         {quillform::CutDxf(sheet), quillform::CutSvg(sheet), quillform::CutGeoJson(sheet)}) {
        ASSERT_TRUE(made.ok);
        ASSERT_EQ(made.warnings.size(), 1u);
        EXPECT_EQ(made.warnings[0].code, "part-not-finite");
        EXPECT_EQ(made.warnings[0].layer, "PLATE");
        EXPECT_NE(made.warnings[0].message.find("SHAPE # 1"), std::string::npos);
        EXPECT_EQ(made.text.find("nan"), std::string::npos);
        EXPECT_EQ(made.text.find("NAN"), std::string::npos);
    }
    EXPECT_EQ(Polylines(quillform::CutDxf(sheet).text).size(), 2u);
    const std::string svg = quillform::CutSvg(sheet).text;
    EXPECT_EQ(std::count(svg.begin(), svg.end(), 'M'), 2);
    EXPECT_NE(svg.find("width=\"45mm\""), std::string::npos) << "the box leaves it out too";
    const ScratchFolder folder("non_finite");
    const CutFileResult files = quillform::WritePartFiles(sheet, folder, {});
    EXPECT_EQ(Listing(folder),
              (std::vector<std::string>{"sheet-PLATE-0.dxf", "sheet-PLATE-2.dxf"}));
    EXPECT_EQ(files.warnings.size(), 1u);
}

// --- Part files ---------------------------------------------------------

TEST(PartFiles, OneFilePerPartMovedToTheOriginWhenAsked) {
    Shape plate = Square(100, 50, 10);
    plate.holes = {Square(102, 52, 2)};
    Drawing sheet = Sheet({plate, Square(200, 50, 4)});
    sheet.layers.push_back(quillform::Layer{"DRILL", "DRILL", {Square(-5, -5, 1)}});
    CutFileOptions options;
    options.origin = true;
    const ScratchFolder folder("origin");
    const CutFileResult files = quillform::WritePartFiles(sheet, folder, {}, options);
    ASSERT_TRUE(files.ok) << files.error;
    EXPECT_EQ(Listing(folder), (std::vector<std::string>{"sheet-DRILL-0.dxf", "sheet-PLATE-0.dxf",
                                                         "sheet-PLATE-1.dxf"}));
    EXPECT_EQ(files.files.size(), 3u);
    const std::string first = Contents(folder / "sheet-PLATE-0.dxf");
    EXPECT_EQ(Header(first, "$EXTMIN", 10), "0.0");
    EXPECT_EQ(Header(first, "$EXTMAX", 20), "10.0");
    const auto polylines = Polylines(first);
    ASSERT_EQ(polylines.size(), 2u); // the hole, then the outline
    EXPECT_EQ(polylines[0].second[0].x, 2);
    EXPECT_EQ(polylines[1].first, "OUTER");

    const ScratchFolder kept("in_place");
    ASSERT_TRUE(quillform::WritePartFiles(sheet, kept, {}).ok);
    EXPECT_EQ(Header(Contents(kept / "sheet-PLATE-1.dxf"), "$EXTMIN", 10), "200.0");
}

// --- Failures leave nothing behind --------------------------------------

TEST(PartFiles, MissingOrUnusableFolderIsAnError) {
    const Drawing sheet = Sheet({Square(0, 0, 1)});
    const ScratchFolder scratch("missing");
    const fs::path missing = scratch / "nowhere";
    CutFileResult result = quillform::WritePartFiles(sheet, missing, {});
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("does not exist"), std::string::npos) << result.error;
    EXPECT_FALSE(fs::exists(missing));

    const ScratchFolder other("not_a_folder");
    const fs::path file = other / "file";
    std::ofstream(file) << "x";
    EXPECT_FALSE(quillform::WritePartFiles(sheet, file, {}).ok);

    // Root writes anywhere but in sysfs; others not in a folder without write permission.
    const ScratchFolder unwritable("locked");
    fs::path locked = "/sys";
    if (geteuid() != 0) {
        locked = unwritable;
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
    }
    result = quillform::WritePartFiles(sheet, locked, {});
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("cannot write"), std::string::npos) << result.error;
    EXPECT_FALSE(fs::exists(locked / "sheet-PLATE-0.dxf"));
}

// A file too large to write (the file size limit stands in for a full disk).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

TEST(PartFiles, AFailedWriteLeavesNoFileBehind) {
    Shape big; // a polygon of many vertices makes a file past the limit
    for (int k = 0; k < 2000; ++k)
        big.vertices.push_back(Vertex{std::cos(k * 0.00314), std::sin(k * 0.00314), {}});
    big.bounds = {-1, -1, 1, 1};
    const Drawing sheet = Sheet({Square(5, 5, 1), big, Square(9, 9, 1)});
    const ScratchFolder folder("full");
    const fs::path single = folder / "cut.dxf";
    CutFileResult parts, whole;
    {
        const FileSizeLimit limit(16 * 1024);
        parts = quillform::WritePartFiles(sheet, folder, {});
        whole = quillform::WriteCutFile(quillform::CutDxf(sheet), single, {});
    }
    EXPECT_FALSE(parts.ok);
    EXPECT_FALSE(whole.ok);
    EXPECT_NE(parts.error.find("sheet-PLATE-1.dxf"), std::string::npos) << parts.error;
    EXPECT_TRUE(Listing(folder).empty()) << "neither the part files written before nor a "
                                            "temporary file may stay";
    // Without the limit the same calls succeed.
    EXPECT_TRUE(quillform::WritePartFiles(sheet, folder, {}).ok);
    EXPECT_EQ(Listing(folder).size(), 3u);
}

TEST(PartFiles, NeverReplaceAnInput) {
    const ScratchFolder folder("inputs");
    const fs::path input = folder / "plate.dxf";
    fs::copy_file(TestData("square_with_circle_hole.dxf"), input);
    const std::string original = Contents(input);
    const Drawing d = quillform::ReadDrawing(input);

    // By name, by another name of the same file, through a link.
    CutFileOptions named;
    named.stem = "plate";
    fs::create_hard_link(input, folder / "plate-0-0.dxf");
    const CutFileResult viaLink = quillform::WritePartFiles(d, folder, {input}, named);
    EXPECT_FALSE(viaLink.ok);
    EXPECT_NE(viaLink.error.find("input"), std::string::npos) << viaLink.error;
    EXPECT_EQ(Contents(input), original);

    const CutFileResult same = quillform::WriteCutFile(quillform::CutDxf(d), input, {input});
    EXPECT_FALSE(same.ok);
    fs::create_symlink(input, folder / "link.dxf");
    EXPECT_FALSE(quillform::WriteCutFile(quillform::CutDxf(d), folder / "link.dxf", {input}).ok);
    EXPECT_FALSE(
        quillform::WriteCutFile(quillform::CutDxf(d), folder / "." / "plate.dxf", {input}).ok);
    EXPECT_EQ(Contents(input), original);
    EXPECT_EQ(Listing(folder),
              (std::vector<std::string>{"link.dxf", "plate-0-0.dxf", "plate.dxf"}));
}

// --- SVG and GeoJSON ----------------------------------------------------

TEST(CutSvg, SizedInTheDrawingsRealUnit) {
    struct UnitCase {
        std::string unit, width, viewBox;
        bool warned;
    };
    // A 10 x 5 plate at (1, 2).
    const std::vector<UnitCase> cases = {
        {"mm", "width=\"10mm\" height=\"5mm\"", "viewBox=\"1 -7 10 5\"", false},
        {"in", "width=\"10in\" height=\"5in\"", "viewBox=\"1 -7 10 5\"", false},
        {"cm", "width=\"100mm\" height=\"50mm\"", "viewBox=\"10 -70 100 50\"", false},
        {"unknown", "width=\"10mm\" height=\"5mm\"", "viewBox=\"1 -7 10 5\"", true},
    };
    Shape plate = Square(1, 2, 10);
    plate.vertices[2].y = plate.vertices[3].y = 7;
    for (const UnitCase& c : cases) {
        const CutFileResult svg = quillform::CutSvg(Sheet({plate}, c.unit));
        ASSERT_TRUE(svg.ok) << c.unit;
        EXPECT_NE(svg.text.find(c.width), std::string::npos) << c.unit << "\n" << svg.text;
        EXPECT_NE(svg.text.find(c.viewBox), std::string::npos) << c.unit << "\n" << svg.text;
        EXPECT_EQ(!svg.warnings.empty() && svg.warnings[0].code == "unit-assumed", c.warned)
            << c.unit;
    }
}

TEST(CutGeoJson, ArcsWithinTheCurveTolerance) {
    Shape disc;
    disc.kind = quillform::OutlineKind::Circle;
    disc.circle = {{0, 0}, 10};
    Shape hole;
    hole.kind = quillform::OutlineKind::Circle;
    hole.circle = {{0, 0}, 5};
    disc.holes = {hole};
    for (double tolerance : {0.1, 0.001}) {
        CutFileOptions options;
        options.curveTolerance = tolerance;
        const std::string text = quillform::CutGeoJson(Sheet({disc}), options).text;
        // The part's measures follow its layer and number.
        EXPECT_NE(
            text.find("\"properties\":{\"layer\":\"PLATE\",\"part\":0,\"area\":235.619449019234"),
            std::string::npos)
            << text.substr(0, 300);
        EXPECT_NE(text.find("\"pierces\":2,"), std::string::npos);
        EXPECT_NE(text.find("\"units\":\"mm\""), std::string::npos);
        // Points of the outline lie outside the circle, the hole's on it, all within the tolerance.
        std::vector<double> radii;
        for (size_t at = text.find("[[["); at != std::string::npos; at = text.find("],[", at + 1)) {
            const size_t open = text.find_first_of("-0123456789", at);
            const size_t comma = text.find(',', open);
            const double x = std::stod(text.substr(open)), y = std::stod(text.substr(comma + 1));
            radii.push_back(std::hypot(x, y));
        }
        ASSERT_GT(radii.size(), 8u);
        for (double r : radii) {
            const double off = r > 7.5 ? r - 10 : 5 - r;
            EXPECT_GE(off, -1e-12) << "a point inside the material, tolerance " << tolerance;
            EXPECT_LE(off, tolerance * (1 + 1e-9)) << "tolerance " << tolerance;
        }
    }
}

} // namespace
