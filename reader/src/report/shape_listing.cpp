// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/shape_listing.h"

#include "quillform/names.h"
#include "quillform/number_format.h"

namespace quillform {

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

    std::wstring N(double value) const { return quillform::FormatNumber(value, separator_); }

    void Vertices(const quillform::Outline& outline, const Texts& texts) {
        for (const quillform::Vertex& v : outline.vertices) {
            lines.push_back(texts.vertex + N(v.x) + texts.vertexSeparator + N(v.y));
            if (v.arc)
                lines.push_back(texts.arc + N(v.arc->center.x) + L"; centerY = " +
                                N(v.arc->center.y) + L"; radius = " + N(v.arc->radius) +
                                L"; direction = " + quillform::FormatInt(v.arc->clockwise ? 1 : 0));
        }
    }

    void Shape(const quillform::Shape& shape, size_t index) {
        lines.push_back(L"SHAPE # " + quillform::FormatInt(static_cast<long long>(index)));
        if (shape.kind == quillform::OutlineKind::Circle) {
            const quillform::Circle& c = shape.circle;
            lines.push_back(L"Circle: centerX = " + N(c.center.x) + L"; centerY" + N(c.center.y) +
                            L"; Radius = " + N(c.radius));
        } else {
            lines.push_back(L"Polygon: " +
                            quillform::FormatInt(static_cast<long long>(shape.vertices.size())) +
                            L" vertices.");
            Vertices(shape, kShapeTexts);
        }
        const quillform::Bounds& b = shape.bounds;
        lines.push_back(L"  Shape bounding box: TopX = " + N(b.minX) + L" TopY = " + N(b.maxY) +
                        L" BottomX = " + N(b.maxX) + L" BottomY = " + N(b.minY));
        for (const quillform::Outline& hole : shape.holes)
            Hole(hole);
    }

    void Hole(const quillform::Outline& hole) {
        if (hole.kind == quillform::OutlineKind::Circle) {
            const quillform::Circle& c = hole.circle;
            lines.push_back(L"    Hole (circle): centerX =" + N(c.center.x) + L"; centerY =" +
                            N(c.center.y) + L"; Radius = " + N(c.radius));
        } else {
            lines.push_back(L"    Hole (polygon): " +
                            quillform::FormatInt(static_cast<long long>(hole.vertices.size())) +
                            L" vertices.");
            Vertices(hole, kHoleTexts);
        }
        const quillform::Bounds& b = hole.bounds;
        lines.push_back(L"        Hole bounding box: TopX = " + N(b.maxX) + L" TopY = " +
                        N(b.maxY) + L" BottomX = " + N(b.minX) + L" BottomY = " + N(b.minY));
    }

private:
    wchar_t separator_;
};
} // namespace

std::vector<std::wstring> ListingLines(const quillform::Layer& layer, wchar_t separator) {
    Lister lister(separator);
    for (size_t j = 0; j < layer.shapes.size(); ++j)
        lister.Shape(layer.shapes[j], j);
    return std::move(lister.lines);
}

std::vector<std::wstring> ShapeListingLines(const quillform::Shape& shape, size_t index,
                                            wchar_t separator) {
    Lister lister(separator);
    lister.Shape(shape, index);
    return std::move(lister.lines);
}

std::wstring ShapesDiscoveredMessage(const quillform::Layer& layer) {
    return quillform::FormatInt(static_cast<long long>(layer.shapes.size())) +
           L" shapes discovered in layer " + quillform::WidenName(layer.bytes.c_str());
}

} // namespace quillform
