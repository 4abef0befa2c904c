// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/shape_listing.h"

#include "quillform/number_format.h"
#include "quillform/wide_names.h"

namespace {
// The texts differ between shapes and holes on purpose (spacing, separators,
// box order); hosts and saved files rely on them as they are.
struct Texts {
    const wchar_t* vertex;
    const wchar_t* vertexSeparator;
    const wchar_t* arc;
};
const Texts kShapeTexts{L"  Vertex: X = ", L"; ", L"  Arc: centerX = "};
const Texts kHoleTexts{L"      Hole vertex: X = ", L", ", L"      Hole arc: centerX = "};

class Lister {
public:
    explicit Lister(wchar_t separator) : separator_(separator) {}
    std::vector<std::wstring> lines;

    std::wstring N(double value) const { return FormatNumber(value, separator_); }

    void Vertices(const TPolygon& polygon, const Texts& texts) {
        for (int32_t k = 0; k < polygon.Count; ++k) {
            lines.push_back(texts.vertex + N(polygon.Points[k].X) + texts.vertexSeparator +
                            N(polygon.Points[k].Y));
            const TArc& edge = polygon.Arcs[k];
            if (edge.IsArc)
                lines.push_back(texts.arc + N(edge.CenterX) + L"; centerY = " + N(edge.CenterY) +
                                L"; radius = " + N(edge.Radius) + L"; direction = " +
                                FormatInt(edge.Clockwise));
        }
    }

    void Shape(const TShapeWithHoles& shape, int32_t index) {
        lines.push_back(L"SHAPE # " + FormatInt(index));
        if (shape.Kind != kShapePolygon && shape.Circle) {
            const TCircle& c = *shape.Circle;
            lines.push_back(L"Circle: centerX = " + N(c.Center.X) + L"; centerY" + N(c.Center.Y) +
                            L"; Radius = " + N(c.Radius));
        } else if (shape.Polygon) {
            lines.push_back(L"Polygon: " + FormatInt(shape.Polygon->Count) + L" vertices.");
            Vertices(*shape.Polygon, kShapeTexts);
        }
        const TBoundingBox& b = shape.Bounds;
        lines.push_back(L"  Shape bounding box: TopX = " + N(b.MinX) + L" TopY = " + N(b.MaxY) +
                        L" BottomX = " + N(b.MaxX) + L" BottomY = " + N(b.MinY));
        for (int32_t h = 0; h < shape.HoleCount; ++h)
            Hole(shape.Holes[h]);
    }

    void Hole(const TBaseShape& hole) {
        if (hole.Kind != kShapePolygon && hole.Circle) {
            const TCircle& c = *hole.Circle;
            lines.push_back(L"    Hole (circle): centerX =" + N(c.Center.X) + L"; centerY =" +
                            N(c.Center.Y) + L"; Radius = " + N(c.Radius));
        } else if (hole.Polygon) {
            lines.push_back(L"    Hole (polygon): " + FormatInt(hole.Polygon->Count) +
                            L" vertices.");
            Vertices(*hole.Polygon, kHoleTexts);
        }
        const TBoundingBox& b = hole.Bounds;
        lines.push_back(L"        Hole bounding box: TopX = " + N(b.MaxX) + L" TopY = " +
                        N(b.MaxY) + L" BottomX = " + N(b.MinX) + L" BottomY = " + N(b.MinY));
    }

private:
    wchar_t separator_;
};
} // namespace

std::vector<std::wstring> ListingLines(const TFixedSizeLayer& layer, wchar_t separator) {
    Lister lister(separator);
    for (int32_t j = 0; j < layer.ShapeCount; ++j)
        lister.Shape(layer.Shapes[j], j);
    return std::move(lister.lines);
}

std::wstring ShapesDiscoveredMessage(const TFixedSizeLayer& layer) {
    return FormatInt(layer.ShapeCount) + L" shapes discovered in layer " +
           WidenName(layer.Name.get());
}
