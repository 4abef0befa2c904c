// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "test_support.h"

#include "quillform/dxf_quillform.h"
#include "quillform/result_copy.h"
#include "quillform/status.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <string>
#include <vector>

namespace {
// Reads a fixture and keeps a copy of what the queries gave inside OnReadDone.
struct ReadResult {
    quillform::TResultCopy copy;
    int32_t status = 0;
    int readDoneEvents = 0;
    std::vector<std::wstring> entityLines;

    const TFixedSizeLayer& Layer(int i) const { return copy.Layers[i]; }
    int Shapes(int layer = 0) const { return copy.Layers[layer].ShapeCount; }
    const TShapeWithHoles& Shape(int j, int layer = 0) const {
        return copy.Layers[layer].Shapes[j];
    }
};

ReadResult ReadPath(const std::string& path, double distance, int32_t openMode = 0,
                    int32_t mixLayers = 0) {
    struct Context {
        TDXFQuillform reader;
        ReadResult result;
        EventRecorder recorder;
    } context;
    TDXFQuillform& reader = context.reader;
    const quillform::EntityEvents events = context.recorder.Events();
    reader.OnLayer = events.OnLayer;
    reader.OnSegment = events.OnSegment;
    reader.OnReadDone = {[](void* c) {
                             auto* ctx = static_cast<Context*>(c);
                             ctx->result.copy = quillform::CopyResults(ctx->reader);
                             ++ctx->result.readDoneEvents;
                         },
                         &context};
    reader.SetLinkingDistance(distance);
    reader.SetOpenContourMode(openMode);
    reader.SetMixLayers(mixLayers);
    reader.Read(std::wstring(path.begin(), path.end()).c_str());
    context.result.status = reader.GetStatus();
    context.result.entityLines = context.recorder.lines;
    return std::move(context.result);
}

ReadResult ReadFixture(const std::string& file, double distance = 0, int32_t openMode = 0,
                       int32_t mixLayers = 0) {
    return ReadPath(TestData(file), distance, openMode, mixLayers);
}

struct ClassificationCase {
    const char* file;
    std::vector<int> holesPerShape; // one entry per shape of layer 0, in order
    std::vector<int> kinds;         // 0 polygon, 1 circle
    double distance = 0;
};

class Classification : public testing::TestWithParam<ClassificationCase> {};

TEST_P(Classification, ShapesAndTheirHoles) {
    const ClassificationCase& c = GetParam();
    const ReadResult r = ReadFixture(c.file, c.distance);
    ASSERT_GE(r.copy.LayerCount, 1);
    ASSERT_EQ(r.Shapes(), static_cast<int>(c.holesPerShape.size())) << c.file;
    for (int j = 0; j < r.Shapes(); ++j) {
        EXPECT_EQ(r.Shape(j).HoleCount, c.holesPerShape[j]) << c.file << " shape " << j;
        EXPECT_EQ(r.Shape(j).Kind, c.kinds[j]) << c.file << " shape " << j;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, Classification,
    testing::Values(ClassificationCase{"square_with_circle_hole.dxf", {1}, {0}},
                    ClassificationCase{"island_same_pass.dxf", {1, 0}, {0, 0}},
                    ClassificationCase{"island_later_pass.dxf", {1, 0}, {0, 0}},
                    ClassificationCase{"circle_in_square.dxf", {1}, {0}},
                    ClassificationCase{"square_in_circle.dxf", {1}, {1}},
                    ClassificationCase{"concentric_circles.dxf", {1}, {1}},
                    ClassificationCase{"equal_circles.dxf", {0, 0}, {1, 1}},
                    ClassificationCase{"circle_touching_vertex.dxf", {0, 0}, {0, 1}},
                    ClassificationCase{"arc_bulging_outside.dxf", {1}, {0}},
                    ClassificationCase{"arc_cut_twice.dxf", {1}, {0}},
                    ClassificationCase{"full_circle_contour.dxf", {1}, {0}},
                    // cut at its bottom only, the circle contains its interior
                    ClassificationCase{"full_circle_contour_top.dxf", {1}, {0}},
                    ClassificationCase{"corner_lobe.dxf", {1}, {0}, 0.001},
                    ClassificationCase{"far_left_of_small_circle.dxf", {0, 0}, {0, 1}},
                    ClassificationCase{"circle_with_two_holes.dxf", {2}, {1}},
                    // coincident outlines: neither is outermost; both are kept as shapes
                    ClassificationCase{"coincident_squares.dxf", {0, 0}, {0, 0}}),
    [](const testing::TestParamInfo<ClassificationCase>& info) {
        std::string name = info.param.file;
        name = name.substr(0, name.find('.'));
        for (char& ch : name)
            if (ch == '_')
                ch = 'X';
        return name;
    });

TEST(Reader, IslandIsAShapeOfItsOwnWithTheOuterShapeFirst) {
    const ReadResult r = ReadFixture("island_later_pass.dxf");
    ASSERT_EQ(r.Shapes(), 2);
    EXPECT_EQ(r.Shape(0).Bounds.MaxX, 100);
    EXPECT_EQ(r.Shape(0).Holes[0].Bounds.MaxX, 90);
    EXPECT_EQ(r.Shape(1).Bounds.MaxX, 80);
}

TEST(Reader, LayersNeverMixInClassification) {
    const ReadResult r = ReadFixture("squares_two_layers.dxf");
    ASSERT_EQ(r.copy.LayerCount, 2);
    EXPECT_EQ(r.Shapes(0), 1);
    EXPECT_EQ(r.Shapes(1), 1);
    EXPECT_EQ(r.Shape(0, 0).HoleCount, 0);
}

TEST(Reader, HolesListPolygonsFirstThenCirclesInListOrder) {
    const ReadResult r = ReadFixture("hole_order.dxf");
    ASSERT_EQ(r.Shapes(), 1);
    const TShapeWithHoles& part = r.Shape(0);
    ASSERT_EQ(part.HoleCount, 4);
    EXPECT_EQ(part.Holes[0].Kind, quillform::kShapePolygon);
    EXPECT_EQ(part.Holes[0].Bounds.MinX, 50);
    EXPECT_EQ(part.Holes[1].Bounds.MinX, 10);
    EXPECT_EQ(part.Holes[2].Circle->Center.X, 20);
    EXPECT_EQ(part.Holes[3].Circle->Center.X, 80);
}

TEST(Reader, VertexlessContoursDoNotStopTheLoop) {
    const ReadResult r = ReadFixture("vertexless_polylines.dxf");
    ASSERT_EQ(r.Shapes(), 1);
    EXPECT_EQ(r.Shape(0).HoleCount, 1);
}

TEST(Reader, FileThatCannotBeOpenedGivesOnlyTheDoneEvent) {
    const ReadResult r = ReadFixture("no_such_file.dxf");
    EXPECT_EQ(r.readDoneEvents, 1);
    EXPECT_TRUE(r.entityLines.empty());
    EXPECT_EQ(r.copy.LayerCount, 0);
    EXPECT_EQ(r.status, stReadError);
}

TEST(Reader, OpenContourModes) {
    const ReadResult drop = ReadFixture("open_chain_facade.dxf", 0, 0);
    EXPECT_EQ(drop.status, 0);
    EXPECT_EQ(drop.Shapes(0), 1);
    EXPECT_EQ(drop.Shapes(1), 0); // "Empty" of the layer table: no shapes, still a layer
    const ReadResult keep = ReadFixture("open_chain_facade.dxf", 0, 1);
    EXPECT_EQ(keep.Shapes(0), 2); // the open chain is kept as a contour
    const ReadResult stop = ReadFixture("open_chain_facade.dxf", 0, 2);
    EXPECT_EQ(stop.status, stOpenContour | stLinkingFailed);
    ASSERT_EQ(stop.copy.LayerCount, 2);
    EXPECT_EQ(stop.Shapes(0), 0);
}

TEST(Reader, DuplicateLayerTableNamesGiveTwoLayersAnsweringAlike) {
    const ReadResult r = ReadFixture("layer_table_duplicates.dxf", 0, 1);
    ASSERT_EQ(r.copy.LayerCount, 3);
    EXPECT_STREQ(r.Layer(1).Name.get(), "Walls");
    EXPECT_STREQ(r.Layer(2).Name.get(), "Walls");
    EXPECT_EQ(r.Shapes(0), 1); // the segment, kept as an open chain
}

TEST(Reader, DuplicateLayerNamesBothReportTheShapesFiledUnderTheFirst) {
    const ReadResult r = ReadFixture("duplicate_layer_shapes.dxf");
    ASSERT_EQ(r.copy.LayerCount, 2);
    EXPECT_EQ(r.Shapes(0), 1);
    EXPECT_EQ(r.Shapes(1), 1);
}

// Queries with bad arguments, checked inside the completion event.
struct QueryProbe {
    TDXFQuillform reader;
    bool checked = false;
};

TEST(ReaderQueries, BadNamesAndIndicesWriteNothing) {
    QueryProbe probe;
    probe.reader.OnReadDone = {[](void* c) {
                                   auto& reader = static_cast<QueryProbe*>(c)->reader;
                                   int32_t count = -7, length = -7, kind = -7, n = -7, holes = -7;
                                   double x = -7, y = -7, r = -7, d = -7;
                                   char name[16] = "unchanged";
                                   reader.GetLayerCount(&count);
                                   EXPECT_EQ(count, 1);
                                   reader.GetLayerNameLength(1, &length);
                                   EXPECT_EQ(length, 0);
                                   reader.GetLayerName(1, name);
                                   EXPECT_STREQ(name, "");
                                   reader.GetLayerName(-1, name);
                                   EXPECT_STREQ(name, "0");
                                   reader.GetShapeCount("nope", &count);
                                   EXPECT_EQ(count, 0);
                                   for (int32_t index : {-1, 1}) {
                                       reader.GetShape("0", index, &kind, &n, &x, &y, &r, &holes);
                                       reader.GetShapeBounds("0", index, &x, &y, &r, &d);
                                   }
                                   reader.GetShape("nope", 0, &kind, &n, &x, &y, &r, &holes);
                                   reader.GetHole("0", 0, 1, &kind, &n, &x, &y, &r);
                                   reader.GetHole("0", 0, -1, &kind, &n, &x, &y, &r);
                                   int32_t arc = -7, dir = -7;
                                   reader.GetShapeVertex("0", 0, 4, &x, &y, &arc, &r, &d, &r, &dir);
                                   reader.GetHoleVertex("0", 0, 0, 0, &x, &y, &arc, &r, &d, &r,
                                                        &dir); // a circle hole has no vertices
                                   EXPECT_EQ(kind, -7);
                                   EXPECT_EQ(n, -7);
                                   EXPECT_EQ(x, -7);
                                   EXPECT_EQ(arc, -7);
                                   reader.GetShape("0", 0, &kind, &n, &x, &y, &r, &holes);
                                   EXPECT_EQ(kind, 0);
                                   EXPECT_EQ(n, 4);
                                   EXPECT_EQ(holes, 1);
                                   reader.GetHole("0", 0, 0, &kind, &n, &x, &y, &r);
                                   EXPECT_EQ(kind, 1);
                                   EXPECT_EQ(n, 0);
                                   EXPECT_EQ(r, 2);
                                   reader.GetHoleBounds("0", 0, 0, &x, &y, &r, &d);
                                   EXPECT_EQ(x, 7); // max x first
                                   EXPECT_EQ(r, 3); // then max y, min x
                                   static_cast<QueryProbe*>(c)->checked = true;
                               },
                               &probe};
    probe.reader.Read(TestDataWide("square_with_circle_hole.dxf").c_str());
    EXPECT_TRUE(probe.checked);
    int32_t count = -1;
    probe.reader.GetLayerCount(&count);
    EXPECT_EQ(count, 0); // results are gone once Read returns
}

TEST(ReaderSettings, MixLayersAcceptsOnlyZeroOrOneAndNotDuringARead) {
    struct Probe {
        TDXFQuillform reader;
        int nestedReads = 0;
    } probe;
    probe.reader.SetMixLayers(5);
    probe.reader.OnSegment = {
        [](void* c, double, double, double, double, double, double, const wchar_t*) {
            auto* p = static_cast<Probe*>(c);
            p->reader.SetMixLayers(1); // ignored: a read is running
            p->reader.OnReadDone = {[](void* c2) { ++static_cast<Probe*>(c2)->nestedReads; }, c};
            p->reader.Read(TestDataWide("two_layers_touching.dxf").c_str());
        },
        &probe};
    probe.reader.Read(TestDataWide("two_layers_touching.dxf").c_str());
    EXPECT_EQ(probe.nestedReads, 1); // only the outer read completed
    EXPECT_EQ(probe.reader.GetStatus(), 0);
    // Had SetMixLayers(1) been taken during the read, this read would mix.
    probe.reader.OnSegment = {};
    probe.reader.OnReadDone = {[](void* c) {
                                   int32_t count = -1;
                                   static_cast<Probe*>(c)->reader.GetShapeCount("A", &count);
                                   EXPECT_EQ(count, 0);
                               },
                               &probe};
    probe.reader.Read(TestDataWide("two_layers_touching.dxf").c_str());
    char version[30];
    EXPECT_STREQ(probe.reader.GetVersion(version), "0.9.3.1.beta");
}

TEST(ReaderSettings, MixLayersJoinsAcrossLayers) {
    EXPECT_EQ(ReadFixture("two_layers_touching.dxf", 0, 0, 0).Shapes(0), 0);
    const ReadResult mixed = ReadFixture("two_layers_touching.dxf", 0, 0, 1);
    EXPECT_EQ(mixed.Shapes(0), 1);
    EXPECT_EQ(mixed.Shapes(1), 0);
}
} // namespace

namespace {
bool WithinBox(const TBoundingBox& box, double x, double y) {
    const double slack = 1e-6;
    return x >= box.MinX - slack && x <= box.MaxX + slack && y >= box.MinY - slack &&
           y <= box.MaxY + slack;
}

// Every real-world drawing is read to the end, and every hole lies
// inside its outer shape: its vertices, or its centre, within the shape's box.
TEST(ReaderCorpus, HolesLieInsideTheirShapes) {
    DIR* dir = opendir(QUILLFORM_REAL_DRAWINGS);
    ASSERT_NE(dir, nullptr) << QUILLFORM_REAL_DRAWINGS;
    int files = 0, shapes = 0;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".dxf") != 0)
            continue;
        ++files;
        const ReadResult r = ReadPath(std::string(QUILLFORM_REAL_DRAWINGS) + "/" + name, 1);
        EXPECT_EQ(r.readDoneEvents, 1) << name;
        EXPECT_EQ(r.status & stReadError, 0) << name;
        for (int i = 0; i < r.copy.LayerCount; ++i)
            for (int j = 0; j < r.Shapes(i); ++j, ++shapes) {
                const TShapeWithHoles& shape = r.Shape(j, i);
                for (int h = 0; h < shape.HoleCount; ++h) {
                    const TBaseShape& hole = shape.Holes[h];
                    if (hole.Circle) {
                        EXPECT_TRUE(
                            WithinBox(shape.Bounds, hole.Circle->Center.X, hole.Circle->Center.Y))
                            << name << " shape " << j << " hole " << h;
                        continue;
                    }
                    for (int k = 0; k < hole.Polygon->Count; ++k)
                        EXPECT_TRUE(WithinBox(shape.Bounds, hole.Polygon->Points[k].X,
                                              hole.Polygon->Points[k].Y))
                            << name << " shape " << j << " hole " << h;
                }
            }
    }
    closedir(dir);
    EXPECT_GT(files, 20);
    EXPECT_GT(shapes, 100);
}
} // namespace
