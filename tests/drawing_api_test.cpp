// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The one-call reader gives what the facade's queries give, for every drawing.
#include "reading.h"
#include "test_support.h"

#include "quillform/drawing.h"
#include "quillform/names.h"
#include "quillform/result_copy.h"
#include "quillform/status.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <cstring>
#include <string>
#include <vector>

namespace {
std::vector<std::string> DrawingsIn(const std::string& folder) {
    std::vector<std::string> files;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && name.substr(name.size() - 4) == ".dxf")
                files.push_back(folder + "/" + name);
        }
        closedir(dir);
    }
    return files;
}

void ExpectSameOutline(const quillform::Outline& value, const TBaseShape& record,
                       const std::string& where) {
    ASSERT_EQ(value.kind == quillform::OutlineKind::Circle, record.Kind == quillform::kShapeCircle)
        << where;
    EXPECT_EQ(value.bounds.minX, record.Bounds.MinX) << where;
    EXPECT_EQ(value.bounds.minY, record.Bounds.MinY) << where;
    EXPECT_EQ(value.bounds.maxX, record.Bounds.MaxX) << where;
    EXPECT_EQ(value.bounds.maxY, record.Bounds.MaxY) << where;
    if (record.Kind == quillform::kShapeCircle) {
        EXPECT_EQ(value.circle.center.x, record.Circle->Center.X) << where;
        EXPECT_EQ(value.circle.radius, record.Circle->Radius) << where;
        return;
    }
    ASSERT_EQ(value.vertices.size(), static_cast<size_t>(record.Polygon->Count)) << where;
    for (int32_t k = 0; k < record.Polygon->Count; ++k) {
        const quillform::Vertex& v = value.vertices[static_cast<size_t>(k)];
        const TArc& edge = record.Polygon->Arcs[k];
        EXPECT_EQ(v.x, record.Polygon->Points[k].X) << where << " vertex " << k;
        EXPECT_EQ(v.y, record.Polygon->Points[k].Y) << where << " vertex " << k;
        ASSERT_EQ(v.arc.has_value(), edge.IsArc != 0) << where << " vertex " << k;
        if (v.arc) {
            EXPECT_EQ(v.arc->center.x, edge.CenterX) << where;
            EXPECT_EQ(v.arc->radius, edge.Radius) << where;
            EXPECT_EQ(v.arc->clockwise, edge.Clockwise != 0) << where;
        }
    }
}

void ExpectSameAsTheFacade(const std::string& path, bool accurate) {
    quillform::Settings settings;
    settings.accurate = accurate;
    const quillform::Drawing drawing = quillform::ReadDrawing(path, settings);
    const TReadOutcome facade = ReadDrawing(path, [accurate](TDXFQuillform& r) {
        r.SetLinkingDistance(1);
        r.SetAccurateGeometry(accurate ? 1 : 0);
    });
    EXPECT_EQ(drawing.status, facade.status) << path;
    ASSERT_EQ(drawing.layers.size(), static_cast<size_t>(facade.copy.LayerCount)) << path;
    for (int32_t i = 0; i < facade.copy.LayerCount; ++i) {
        const TFixedSizeLayer& layer = facade.copy.Layers[i];
        const quillform::Layer& value = drawing.layers[static_cast<size_t>(i)];
        EXPECT_EQ(value.name, quillform::NameToUtf8(layer.Name.get())) << path;
        ASSERT_EQ(value.shapes.size(), static_cast<size_t>(layer.ShapeCount)) << path;
        for (int32_t j = 0; j < layer.ShapeCount; ++j) {
            const std::string where = path + " shape " + std::to_string(j);
            const quillform::Shape& shape = value.shapes[static_cast<size_t>(j)];
            ExpectSameOutline(shape, layer.Shapes[j], where);
            ASSERT_EQ(shape.holes.size(), static_cast<size_t>(layer.Shapes[j].HoleCount)) << where;
            for (int32_t h = 0; h < layer.Shapes[j].HoleCount; ++h)
                ExpectSameOutline(shape.holes[static_cast<size_t>(h)], layer.Shapes[j].Holes[h],
                                  where + " hole " + std::to_string(h));
        }
    }
    EXPECT_EQ(drawing.warnings.size(), facade.report.warnings.size()) << path;
}

// The fixtures and the real drawings.
std::vector<std::string> EveryDrawing() {
    std::vector<std::string> files = DrawingsIn(QUILLFORM_TEST_DATA);
    const std::vector<std::string> real = DrawingsIn(QUILLFORM_REAL_DRAWINGS);
    files.insert(files.end(), real.begin(), real.end());
    return files;
}

TEST(DrawingApi, GivesWhatTheFacadeGivesForEveryDrawing) {
    const std::vector<std::string> files = EveryDrawing();
    ASSERT_GT(files.size(), 40u);
    for (const std::string& file : files) {
        ExpectSameAsTheFacade(file, false);
        ExpectSameAsTheFacade(file, true);
    }
}

TEST(DrawingApi, FailuresShowInTheStatus) {
    const quillform::Drawing missing = quillform::ReadDrawing(TestData("no_such_file.dxf"));
    EXPECT_FALSE(missing.Read());
    EXPECT_TRUE(missing.status & stReadError);
    EXPECT_TRUE(missing.layers.empty());
    const quillform::Drawing empty = quillform::ReadDrawing(TestData("empty.dxf"));
    EXPECT_FALSE(empty.Read());
    const quillform::Drawing plate =
        quillform::ReadDrawing(TestData("square_with_circle_hole.dxf"));
    EXPECT_TRUE(plate.Read());
    EXPECT_TRUE(plate.hasShapes);
    EXPECT_EQ(plate.bounds.maxX, 10);
}
} // namespace

namespace {
void ExpectSameBox(const TBoundingBox& a, const TBoundingBox& b, const std::string& where) {
    EXPECT_EQ(a.MinX, b.MinX) << where;
    EXPECT_EQ(a.MinY, b.MinY) << where;
    EXPECT_EQ(a.MaxX, b.MaxX) << where;
    EXPECT_EQ(a.MaxY, b.MaxY) << where;
}

void ExpectSameRecord(const TBaseShape& a, const TBaseShape& b, const std::string& where) {
    ASSERT_EQ(a.Kind, b.Kind) << where;
    ExpectSameBox(a.Bounds, b.Bounds, where);
    ASSERT_EQ(a.Circle != nullptr, b.Circle != nullptr) << where;
    if (a.Circle) {
        EXPECT_EQ(a.Circle->Center.X, b.Circle->Center.X) << where;
        EXPECT_EQ(a.Circle->Center.Y, b.Circle->Center.Y) << where;
        EXPECT_EQ(a.Circle->Radius, b.Circle->Radius) << where;
    }
    ASSERT_EQ(a.Polygon != nullptr, b.Polygon != nullptr) << where;
    if (!a.Polygon)
        return;
    ASSERT_EQ(a.Polygon->Count, b.Polygon->Count) << where;
    for (int32_t k = 0; k < a.Polygon->Count; ++k) {
        EXPECT_EQ(a.Polygon->Points[k].X, b.Polygon->Points[k].X) << where << " vertex " << k;
        EXPECT_EQ(a.Polygon->Points[k].Y, b.Polygon->Points[k].Y) << where << " vertex " << k;
        const TArc& x = a.Polygon->Arcs[k];
        const TArc& y = b.Polygon->Arcs[k];
        EXPECT_EQ(x.IsArc, y.IsArc) << where << " vertex " << k;
        EXPECT_EQ(x.CenterX, y.CenterX) << where << " vertex " << k;
        EXPECT_EQ(x.CenterY, y.CenterY) << where << " vertex " << k;
        EXPECT_EQ(x.Radius, y.Radius) << where << " vertex " << k;
        EXPECT_EQ(x.Clockwise, y.Clockwise) << where << " vertex " << k;
    }
}

void ExpectSameCopies(const quillform::TResultCopy& a, const quillform::TResultCopy& b,
                      const std::string& path) {
    ASSERT_EQ(a.LayerCount, b.LayerCount) << path;
    ExpectSameBox(a.Overall, b.Overall, path + " overall");
    for (int32_t i = 0; i < a.LayerCount; ++i) {
        const TFixedSizeLayer& x = a.Layers[i];
        const TFixedSizeLayer& y = b.Layers[i];
        EXPECT_STREQ(x.Name.get(), y.Name.get()) << path;
        ASSERT_EQ(x.ShapeCount, y.ShapeCount) << path;
        for (int32_t j = 0; j < x.ShapeCount; ++j) {
            const std::string where =
                path + " layer " + std::to_string(i) + " shape " + std::to_string(j);
            ExpectSameRecord(x.Shapes[j], y.Shapes[j], where);
            ASSERT_EQ(x.Shapes[j].HoleCount, y.Shapes[j].HoleCount) << where;
            for (int32_t h = 0; h < x.Shapes[j].HoleCount; ++h)
                ExpectSameRecord(x.Shapes[j].Holes[h], y.Shapes[j].Holes[h],
                                 where + " hole " + std::to_string(h));
        }
    }
}

// The host's copy, made part by part from the reader's records, against
// the same copy made through the drawing's values.
void ExpectCopyAsThroughValues(const std::string& path, bool accurate) {
    struct Probe {
        TDXFQuillform reader;
        quillform::TResultCopy direct, throughValues;
    } probe;
    probe.reader.SetLinkingDistance(1);
    probe.reader.SetAccurateGeometry(accurate ? 1 : 0);
    probe.reader.OnReadDone = {[](void* c) {
                                   auto* p = static_cast<Probe*>(c);
                                   p->direct = quillform::CopyResults(p->reader);
                                   p->throughValues =
                                       quillform::ToResultCopy(quillform::CopyDrawing(p->reader));
                               },
                               &probe};
    probe.reader.Read(std::wstring(path.begin(), path.end()).c_str());
    ExpectSameCopies(probe.direct, probe.throughValues, path);
}
} // namespace

TEST(DrawingApi, HostCopyEqualsTheCopyThroughValuesForEveryDrawing) {
    const std::vector<std::string> files = EveryDrawing();
    ASSERT_GT(files.size(), 40u);
    for (const std::string& file : files) {
        ExpectCopyAsThroughValues(file, false);
        ExpectCopyAsThroughValues(file, true);
    }
}
