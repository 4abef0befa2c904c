// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Lifecycle of the result records; the sanitizer build catches leaks and double frees.
#include "quillform/shape_records.h"

#include <gtest/gtest.h>

namespace {
void ExpectConstructed(const part2d_any& part) {
    EXPECT_EQ(part.Kind, quillform::kShapeNone);
    EXPECT_EQ(part.Holes, nullptr);
    EXPECT_EQ(part.HoleCount, 0);
    EXPECT_EQ(part.Polygon, nullptr);
    EXPECT_EQ(part.Circle, nullptr);
    EXPECT_EQ(part.ReservedInt14, -1);
    EXPECT_EQ(part.ReservedInt16, -1);
    EXPECT_EQ(part.ReservedHoleSetCount, 0);
}

TEST(BasicRecords, ConstructedValues) {
    const TBoundingBox box;
    EXPECT_EQ(box.MinX, 1.79769e307);
    EXPECT_EQ(box.MaxY, -1.79769e307);
    const TCircle circle;
    EXPECT_EQ(circle.Bounds.MinX, 0); // zeros, not the empty-box sentinel
    EXPECT_EQ(circle.Bounds.MaxY, 0);
    TCircle source;
    source.Radius = 2;
    source.Center = TPoint2D(1, 1);
    source.CalcBoundingBox();
    const TCircle copy(source);
    EXPECT_EQ(copy.Bounds.MinX, -1);
    EXPECT_EQ(copy.Bounds.Width, 4);
}

TEST(PolygonRecord, ConstructedFromCount) {
    const TPolygon polygon(3);
    EXPECT_EQ(polygon.Count, 3);
    EXPECT_EQ(polygon.Points[2].Tag, 0);
    EXPECT_EQ(polygon.Arcs[2].IsArc, 0);
    EXPECT_EQ(polygon.Bounds.MinX, quillform::kEmptyBoxMin);
    EXPECT_EQ(polygon.Bounds.Width, 0);
}

TEST(PartRecord, ClearingFreshOrTwiceKeepsConstructedValues) {
    part2d_any part;
    ExpectConstructed(part);
    part.Clear();
    ExpectConstructed(part);
    part.Kind = quillform::kShapePolygon;
    part.Polygon = std::make_unique<TPolygon>(4);
    part.ReservedHoleSetCount = 2;
    part.ReservedHoleSetsA = std::make_unique<std::unique_ptr<TTrueHole[]>[]>(2);
    part.ReservedHoleSetsA[1] = std::make_unique<TTrueHole[]>(3);
    part.Clear();
    ExpectConstructed(part);
    part.Clear();
    ExpectConstructed(part);
}

TEST(PartRecord, WithoutHolesHasAnEmptyHoleArray) {
    part2d_any part;
    TLista noContours, noCircles;
    part.SetHoles(&noContours, &noCircles);
    EXPECT_NE(part.Holes, nullptr);
    EXPECT_EQ(part.HoleCount, 0);
}

TEST(HoleRecord, DestroyingAHoleWithAPolygonFreesItOnce) {
    auto hole = std::make_unique<TTrueHole>();
    EXPECT_EQ(hole->Index, -1);
    hole->Shape.Polygon = std::make_unique<TPolygon>(5);
    hole->Shape.Circle = std::make_unique<TCircle>();
    hole.reset();
    TBaseShape shape;
    shape.Kind = quillform::kShapeCircle;
    shape.Circle = std::make_unique<TCircle>();
    shape.Clear();
    EXPECT_EQ(shape.Kind, quillform::kShapePolygon);
    EXPECT_EQ(shape.Circle, nullptr);
    shape.Clear();
}

TEST(Layers, FindIsExactAndCaseSensitive) {
    TLayers layers;
    EXPECT_EQ(layers.Find("0"), nullptr);
    auto* lower = new TLayer("cut");
    auto* upper = new TLayer("CUT");
    auto* duplicate = new TLayer("cut");
    layers.Add(lower);
    layers.Add(upper);
    layers.Add(duplicate);
    lower->Shapes.Add(new part2d_any());
    EXPECT_EQ(layers.Find("cut"), lower);
    EXPECT_EQ(layers.Find("CUT"), upper);
    EXPECT_EQ(layers.Find("Cut"), nullptr);
    layers.Clear();
    EXPECT_EQ(layers.Count, 0);
    EXPECT_EQ(layers.Head, nullptr);
}
} // namespace
