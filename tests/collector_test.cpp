// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collect/collector.h"
#include "collect/dxf_parse.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <dirent.h>
#include <string>
#include <vector>

using namespace quillform::detail;

namespace {
// Parses a file only for its entity events; false when it cannot be opened.
bool ReadEntities(const wchar_t* fileName, const quillform::EntityEvents& events) {
    Test_CreationClass collector(events);
    return ParseDxfFile(fileName, collector);
}

std::vector<std::string> Names(const TLista& list) {
    std::vector<std::string> names;
    for (const TListaNode* n = list.Head; n; n = n->Next)
        names.emplace_back(static_cast<const char*>(n->Item));
    return names;
}

struct Collected {
    EventRecorder recorder;
    Test_CreationClass collector;
    bool opened;
    explicit Collected(const std::string& file)
        : collector(recorder.Events()),
          opened(ParseDxfFile(TestDataWide(file).c_str(), collector)) {}
};

const TDXFSegment& SegmentAt(const TLista& list, int index) {
    return *static_cast<const TDXFSegment*>(list.GetItem(index));
}

TEST(Collector, LayerTableDuplicatesAreKeptAndNotRepeatedForEntities) {
    Collected c("layer_table_duplicates.dxf");
    ASSERT_TRUE(c.opened);
    EXPECT_EQ(Names(c.collector.LayerNames), (std::vector<std::string>{"0", "Walls", "Walls"}));
    EXPECT_EQ(c.recorder.lines,
              (std::vector<std::wstring>{
                  L"Layer name: 0", L"Layer name: Walls", L"Layer name: Walls",
                  L"Segment: Start(X=0; Y=0; Z=0)-End(X=1; Y=0; Z=0), Layer = 0"}));
}

TEST(Collector, EntityOnUnlistedLayerRegistersItBeforeItsEvent) {
    Collected c("unlisted_layer.dxf");
    EXPECT_EQ(Names(c.collector.LayerNames), (std::vector<std::string>{"0", "Cut"}));
    ASSERT_EQ(c.recorder.lines.size(), 4u);
    EXPECT_EQ(c.recorder.lines[1], L"Layer name: Cut");
    EXPECT_EQ(c.recorder.lines[2].rfind(L"Segment:", 0), 0u);
    EXPECT_EQ(c.recorder.lines[3].rfind(L"Circle:", 0), 0u);
    ASSERT_EQ(c.collector.Circles.Count, 1);
    EXPECT_STREQ(static_cast<TDXFCircle*>(c.collector.Circles.GetItem(0))->Layer.get(), "Cut");
}

TEST(Collector, PolylineStaysPendingThroughSeqendAndTextUntilNextLine) {
    Collected c("polyline_pending.dxf");
    const Test_CreationClass& k = c.collector;
    EXPECT_EQ(k.CurrentPolyline, nullptr);
    ASSERT_EQ(k.Polylines.Count, 1);
    ASSERT_EQ(k.Segments.Count, 1);
    const auto* polyline = static_cast<TDXFPolygon*>(k.Polylines.GetItem(0));
    EXPECT_EQ(polyline->Count, 4); // flags item + three vertices
    EXPECT_EQ(*static_cast<int32_t*>(polyline->GetItem(0)), 0);
    EXPECT_EQ(static_cast<dxf_info*>(polyline->GetItem(3))->y, 1.0);
    EXPECT_EQ(c.recorder.lines.back(),
              L"Segment: Start(X=5; Y=5; Z=0)-End(X=6; Y=6; Z=0), Layer = 0");
}

TEST(Collector, LastPolylineOfFileWaitsForTheFinalFlush) {
    Collected c("last_entity_polyline.dxf");
    ASSERT_NE(c.collector.CurrentPolyline, nullptr);
    EXPECT_EQ(c.collector.Polylines.Count, 0);
    c.collector.FlushLastPolyline();
    EXPECT_EQ(c.collector.CurrentPolyline, nullptr);
    ASSERT_EQ(c.collector.Polylines.Count, 1);
    const auto* polyline = static_cast<TDXFPolygon*>(c.collector.Polylines.GetItem(0));
    EXPECT_EQ(*static_cast<int32_t*>(polyline->GetItem(0)), 1);
    EXPECT_EQ(polyline->Count, 4);
}

TEST(Collector, LineInsideBlockGoesToTheBlockAndRegistersItsLayer) {
    Collected c("line_in_block.dxf");
    EXPECT_EQ(c.collector.Segments.Count, 0);
    ASSERT_EQ(c.collector.Blocks.Count, 1);
    const auto* a = static_cast<block*>(c.collector.Blocks.GetItem(0));
    EXPECT_STREQ(a->name.get(), "A");
    EXPECT_EQ(a->segments.Count, 1);
    EXPECT_EQ(a->base_x, 0.0);
    EXPECT_TRUE(c.collector.LayerNames.Contains("Inner"));
}

TEST(Collector, InsertInsideBlockEndsTheDefinition) {
    Collected c("insert_inside_block.dxf");
    ASSERT_EQ(c.collector.Blocks.Count, 1);
    const auto* a = static_cast<block*>(c.collector.Blocks.GetItem(0));
    EXPECT_EQ(a->segments.Count, 1);
    ASSERT_EQ(c.collector.Segments.Count, 1);
    EXPECT_EQ(SegmentAt(c.collector.Segments, 0).X1, 2.0);
    EXPECT_EQ(c.collector.CurrentBlock, nullptr);
    EXPECT_EQ(c.recorder.lines.back(), L"End Block");
}

TEST(Collector, ArcSweepsAndEndPoints) {
    Collected c("arcs.dxf");
    ASSERT_EQ(c.collector.Arcs.Count, 2);
    const auto* wrap = static_cast<TDXFArc*>(c.collector.Arcs.GetItem(0));
    EXPECT_NEAR(wrap->Sweep, 20.0, 1e-12);
    EXPECT_EQ(wrap->Clockwise, 0);
    EXPECT_NEAR(wrap->StartX, 2 * std::cos(350 * 3.141592653589793 / 180), 1e-12);
    EXPECT_NEAR(wrap->EndY, 2 * std::sin(10 * 3.141592653589793 / 180), 1e-12);
    EXPECT_EQ(static_cast<TDXFArc*>(c.collector.Arcs.GetItem(1))->Sweep, 360.0);
}

TEST(Collector, VertexWithoutPolylineIsDroppedButReported) {
    Collected c("vertex_without_polyline.dxf");
    EXPECT_EQ(c.collector.Polylines.Count, 0);
    EXPECT_EQ(c.collector.CurrentPolyline, nullptr);
    EXPECT_EQ(c.recorder.lines.back(), L"Vertex (X=7; Y=8; Z=0) -Bulge = 0.5");
}

TEST(Collector, FullEventSequenceOfTheLogExample) {
    EventRecorder recorder;
    ASSERT_TRUE(ReadEntities(TestDataWide("log_example.dxf").c_str(), recorder.Events()));
    EXPECT_EQ(recorder.lines,
              (std::vector<std::wstring>{
                  L"Layer name: 0",
                  L"Block name: B",
                  L"Segment: Start(X=0; Y=0; Z=0)-End(X=1; Y=0; Z=0), Layer = 0",
                  L"End Block",
                  L"Segment: Start(X=0; Y=0; Z=0)-End(X=10; Y=5.5; Z=0), Layer = 0",
                  L"Layer name: Holes",
                  L"Circle: (1.5;-2;0)-Radius = 0.25, Layer = Holes",
                  L"Arc: (center x=0; y=0; z=0) radius=1,angle(start= 0; end=90)StartPoint(X= "
                  L"1;Y=0), EndPoint(X=6.12323399573677E-17;Y=1), Layer = 0",
                  L"Polyline: num nodes = 0, flag = 1, Layer = 0",
                  L"Vertex (X=0; Y=0; Z=0) -Bulge = 0",
                  L"Vertex (X=1; Y=0; Z=0) -Bulge = 0.5",
                  L"Layer name: Parts",
                  L"Insert Block name: BPosition (X=10; Y=5; Z=0), Layer = Parts",
              }));
}

TEST(CollectorBadInput, MissingFileOpensNothingAndRaisesNothing) {
    EventRecorder recorder;
    EXPECT_FALSE(ReadEntities(TestDataWide("no_such_file.dxf").c_str(), recorder.Events()));
    EXPECT_FALSE(ReadEntities(TestDataWide("").c_str(), recorder.Events())); // a directory
    EXPECT_TRUE(recorder.lines.empty());
}

class DamagedFile : public testing::TestWithParam<const char*> {};

TEST_P(DamagedFile, IsReadWithoutCrashing) {
    Collected c(GetParam());
    EXPECT_TRUE(c.opened);
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedFile,
                         testing::Values("damaged_number.dxf", "truncated.dxf", "empty.dxf"));

TEST(CollectorBadInput, NonNumericCoordinateDoesNotLoseTheNextLine) {
    Collected c("damaged_number.dxf");
    ASSERT_GE(c.collector.Segments.Count, 1);
    const TDXFSegment& last = SegmentAt(c.collector.Segments, c.collector.Segments.Count - 1);
    EXPECT_EQ(last.X2, 1.0);
    EXPECT_EQ(last.Y2, 1.0);
}

TEST(CollectorBadInput, InvalidMultibyteNameIsWidenedByteByByte) {
    Collected c("cp1252_layer.dxf");
    ASSERT_EQ(c.recorder.lines.size(), 2u);
    // Whatever the locale, 0xDF must come through as one character, not be dropped.
    const std::wstring& layerLine = c.recorder.lines[0];
    ASSERT_EQ(layerLine.size(), std::wstring(L"Layer name: Au?en").size());
    EXPECT_EQ(layerLine[14], static_cast<wchar_t>(0xDF));
}

// Every real-world drawing (tests/data/real) parses without crashing.
TEST(CollectorCorpus, EveryDrawingIsCollected) {
    DIR* dir = opendir(QUILLFORM_REAL_DRAWINGS);
    ASSERT_NE(dir, nullptr) << QUILLFORM_REAL_DRAWINGS;
    int files = 0;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".dxf") != 0)
            continue;
        const std::string path = std::string(QUILLFORM_REAL_DRAWINGS) + "/" + name;
        EventRecorder recorder;
        Test_CreationClass collector(recorder.Events());
        EXPECT_TRUE(ParseDxfFile(std::wstring(path.begin(), path.end()).c_str(), collector))
            << name;
        EXPECT_FALSE(recorder.lines.empty()) << name;
        ++files;
    }
    closedir(dir);
    EXPECT_GT(files, 20);
}
} // namespace

namespace {
// The raw arguments of the events whose log lines leave some of them out.
struct RawEvents {
    std::vector<double> block, insert, arc;
    std::wstring insertName, insertLayer;
};

TEST(CollectorEvents, BlockInsertAndArcArguments) {
    RawEvents raw;
    quillform::EntityEvents events;
    events.OnBlock = {[](void* c, const wchar_t*, double x, double y, double z) {
                          static_cast<RawEvents*>(c)->block = {x, y, z};
                      },
                      &raw};
    events.OnInsert = {[](void* c, const wchar_t* name, double x, double y, double z, double sx,
                          double sy, double sz, double angle, const wchar_t* layer) {
                           auto* r = static_cast<RawEvents*>(c);
                           r->insert = {x, y, z, sx, sy, sz, angle};
                           r->insertName = name;
                           r->insertLayer = layer;
                       },
                       &raw};
    events.OnArc = {[](void* c, double cx, double cy, double, double r, double a1, double a2,
                       double sx, double sy, double ex, double ey, const wchar_t*) {
                        static_cast<RawEvents*>(c)->arc = {cx, cy, r, a1, a2, sx, sy, ex, ey};
                    },
                    &raw};
    ASSERT_TRUE(ReadEntities(TestDataWide("event_arguments.dxf").c_str(), events));
    EXPECT_EQ(raw.block, (std::vector<double>{5, 6, 0})); // the file's base point, reported only
    EXPECT_EQ(raw.insert, (std::vector<double>{3, 4, 0, 2, 3, 1, 30}));
    EXPECT_EQ(raw.insertName, L"B");
    EXPECT_EQ(raw.insertLayer, L"Parts");
    ASSERT_EQ(raw.arc.size(), 9u);
    EXPECT_EQ(raw.arc[3], 0);
    EXPECT_EQ(raw.arc[4], 90);
    EXPECT_DOUBLE_EQ(raw.arc[5], 3); // start point: centre + radius at 0 degrees
    EXPECT_DOUBLE_EQ(raw.arc[6], 2);
    EXPECT_NEAR(raw.arc[7], 1, 1e-15); // end point at 90 degrees
    EXPECT_DOUBLE_EQ(raw.arc[8], 4);
}
// A read raises only the events whose slot is set, and builds their names
// only then: with one slot set, that slot still sees every event of its
// kind with its names, in order, and what is collected does not change.
quillform::EntityEvents OnlySlot(const quillform::EntityEvents& all, int slot) {
    quillform::EntityEvents only;
    switch (slot) {
    case 0:
        only.OnLayer = all.OnLayer;
        break;
    case 1:
        only.OnSegment = all.OnSegment;
        break;
    case 2:
        only.OnCircle = all.OnCircle;
        break;
    case 3:
        only.OnArc = all.OnArc;
        break;
    case 4:
        only.OnPolyline = all.OnPolyline;
        break;
    case 5:
        only.OnVertex = all.OnVertex;
        break;
    case 6:
        only.OnBlock = all.OnBlock;
        break;
    case 7:
        only.OnEndBlock = all.OnEndBlock;
        break;
    default:
        only.OnInsert = all.OnInsert;
        break;
    }
    return only;
}

// How the entity log line of each slot begins, in the slot order above.
const wchar_t* const kSlotLine[] = {L"Layer name: ", L"Segment: ",  L"Circle: ",
                                    L"Arc: ",        L"Polyline: ", L"Vertex ",
                                    L"Block name: ", L"End Block",  L"Insert Block name: "};

std::vector<int> Counts(const Test_CreationClass& k) {
    return {k.LayerNames.Count, k.Segments.Count,  k.Circles.Count,
            k.Arcs.Count,       k.Polylines.Count, k.Blocks.Count};
}

class OneEventSlot : public ::testing::TestWithParam<int> {};

TEST_P(OneEventSlot, SeesItsEventsWithTheirNamesAndCollectsTheSame) {
    const int slot = GetParam();
    Collected all("log_example.dxf");
    ASSERT_TRUE(all.opened);
    std::vector<std::wstring> expected;
    for (const std::wstring& line : all.recorder.lines)
        if (line.rfind(kSlotLine[slot], 0) == 0)
            expected.push_back(line);
    ASSERT_FALSE(expected.empty()) << "the drawing raises no event of slot " << slot;

    EventRecorder recorder;
    Test_CreationClass collector(OnlySlot(recorder.Events(), slot));
    ASSERT_TRUE(ParseDxfFile(TestDataWide("log_example.dxf").c_str(), collector));
    EXPECT_EQ(recorder.lines, expected) << "slot " << slot;
    EXPECT_EQ(Counts(collector), Counts(all.collector)) << "slot " << slot;
    EXPECT_EQ(Names(collector.LayerNames), Names(all.collector.LayerNames)) << "slot " << slot;
}

INSTANTIATE_TEST_SUITE_P(Slots, OneEventSlot, ::testing::Range(0, 9));
} // namespace
