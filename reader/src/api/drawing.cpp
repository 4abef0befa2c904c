// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The one-call reader: the facade's results, copied through its queries
// inside OnReadDone, as plain values.
#include "quillform/drawing.h"

#include "quillform/dxf_quillform.h"
#include "quillform/names.h"
#include "quillform/status.h"

#include <algorithm>

namespace quillform {
namespace {
class TCopier {
public:
    explicit TCopier(const TDXFQuillform& reader) : reader_(reader) {}

    Layer CopyLayer(int32_t index) {
        int32_t length = 0;
        reader_.GetLayerNameLength(index, &length);
        std::string name(static_cast<size_t>(length) + 1, '\0');
        reader_.GetLayerName(index, name.data());
        name.resize(static_cast<size_t>(length));
        Layer layer;
        layer.name = NameToUtf8(name.c_str());
        layer.bytes = name;
        int32_t count = 0;
        reader_.GetShapeCount(name.c_str(), &count);
        for (int32_t j = 0; j < count; ++j)
            layer.shapes.push_back(CopyShape(name.c_str(), j));
        return layer;
    }

private:
    Shape CopyShape(const char* layer, int32_t j) {
        Shape shape;
        int32_t kind = 0, vertices = 0, holes = 0;
        double cx = 0, cy = 0, r = 0;
        reader_.GetShape(layer, j, &kind, &vertices, &cx, &cy, &r, &holes);
        Fill(shape, kind, vertices, cx, cy, r, [&](int32_t k, Vertex& v) {
            CopyVertex(v, [&](double* x, double* y, int32_t* a, double* acx, double* acy,
                              double* ar, int32_t* d) {
                reader_.GetShapeVertex(layer, j, k, x, y, a, acx, acy, ar, d);
            });
        });
        Bounds& b = shape.bounds;
        reader_.GetShapeBounds(layer, j, &b.minX, &b.maxY, &b.maxX, &b.minY);
        for (int32_t h = 0; h < holes; ++h)
            shape.holes.push_back(CopyHole(layer, j, h));
        return shape;
    }

    Outline CopyHole(const char* layer, int32_t j, int32_t h) {
        Outline hole;
        int32_t kind = 0, vertices = 0;
        double cx = 0, cy = 0, r = 0;
        reader_.GetHole(layer, j, h, &kind, &vertices, &cx, &cy, &r);
        Fill(hole, kind, vertices, cx, cy, r, [&](int32_t k, Vertex& v) {
            CopyVertex(v, [&](double* x, double* y, int32_t* a, double* acx, double* acy,
                              double* ar, int32_t* d) {
                reader_.GetHoleVertex(layer, j, h, k, x, y, a, acx, acy, ar, d);
            });
        });
        Bounds& b = hole.bounds;
        reader_.GetHoleBounds(layer, j, h, &b.maxX, &b.maxY, &b.minX, &b.minY);
        return hole;
    }

    template <typename VertexFiller>
    static void Fill(Outline& outline, int32_t kind, int32_t vertices, double cx, double cy,
                     double r, VertexFiller fill) {
        if (kind != 0) {
            outline.kind = OutlineKind::Circle;
            outline.circle = Circle{Point{cx, cy}, r};
            return;
        }
        outline.vertices.resize(static_cast<size_t>(std::max(vertices, 0)));
        for (int32_t k = 0; k < vertices; ++k)
            fill(k, outline.vertices[static_cast<size_t>(k)]);
    }

    template <typename Query> static void CopyVertex(Vertex& v, Query query) {
        double acx = 0, acy = 0, ar = 0;
        int32_t isArc = 0, direction = 0;
        query(&v.x, &v.y, &isArc, &acx, &acy, &ar, &direction);
        if (isArc)
            v.arc = ArcEdge{Point{acx, acy}, ar, direction != 0};
    }

    const TDXFQuillform& reader_;
};

void Widen(Bounds& all, const Bounds& b, bool first) {
    if (first) {
        all = b;
        return;
    }
    all.minX = std::min(all.minX, b.minX);
    all.minY = std::min(all.minY, b.minY);
    all.maxX = std::max(all.maxX, b.maxX);
    all.maxY = std::max(all.maxY, b.maxY);
}

struct TReading {
    TDXFQuillform reader;
    Drawing drawing;
};
} // namespace

bool Drawing::Read() const {
    return !(status & (stReadError | stNotDrawing | stOutOfMemory | stExpansionLimit));
}

Drawing CopyDrawing(const TDXFQuillform& reader) {
    Drawing d;
    int32_t count = 0;
    reader.GetLayerCount(&count);
    TCopier copier(reader);
    for (int32_t i = 0; i < count; ++i) {
        d.layers.push_back(copier.CopyLayer(i));
        for (const Shape& shape : d.layers.back().shapes) {
            Widen(d.bounds, shape.bounds, !d.hasShapes);
            d.hasShapes = true;
        }
    }
    d.status = reader.GetStatus();
    static_cast<Diagnostics&>(d) = reader.GetReport();
    d.lengths = d.unit;
    return d;
}

Drawing ReadDrawing(const std::filesystem::path& path, const Settings& settings,
                    const TEntityEvents& events) {
    TReading reading;
    TDXFQuillform& reader = reading.reader;
    reader.OnLayer = events.OnLayer;
    reader.OnSegment = events.OnSegment;
    reader.OnCircle = events.OnCircle;
    reader.OnArc = events.OnArc;
    reader.OnPolyline = events.OnPolyline;
    reader.OnVertex = events.OnVertex;
    reader.OnBlock = events.OnBlock;
    reader.OnEndBlock = events.OnEndBlock;
    reader.OnInsert = events.OnInsert;
    reader.OnReadDone = {[](void* context) {
                             auto* r = static_cast<TReading*>(context);
                             r->drawing = CopyDrawing(r->reader);
                         },
                         &reading};
    reader.SetLinkingDistance(settings.distance);
    reader.SetOpenContourMode(settings.openMode);
    reader.SetMixLayers(settings.mixLayers ? 1 : 0);
    reader.SetAccurateGeometry(settings.accurate ? 1 : 0);
    reader.SetCurveTolerance(settings.curveTolerance);
    reader.SetEngine(static_cast<int32_t>(settings.engine));
    reader.SetLayerSelection(settings.layers, settings.excludedLayers);
    reader.SetHolesAcrossLayers(settings.holesAcrossLayers ? 1 : 0);
    reader.SetExpansionLimit(settings.expansionLimit);
    reader.Read(path);
    Drawing& d = reading.drawing;
    d.file = path.string();
    return std::move(d);
}

} // namespace quillform
