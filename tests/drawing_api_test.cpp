// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The one-call reader gives what the facade's queries give, for every drawing.
#include "reading.h"
#include "test_support.h"

#include "quillform/drawing.h"
#include "quillform/names.h"
#include "quillform/status.h"

#include <gtest/gtest.h>

#include <dirent.h>

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

TEST(DrawingApi, GivesWhatTheFacadeGivesForEveryDrawing) {
    std::vector<std::string> files = DrawingsIn(QUILLFORM_TEST_DATA);
    const std::vector<std::string> real = DrawingsIn(QUILLFORM_REAL_DRAWINGS);
    files.insert(files.end(), real.begin(), real.end());
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
