// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "engine_compare.h"

#include "api/layer_values.h"

#include "classify/classifier.h"
#include "link/linker.h"
#include "pipeline/geometry_mode.h"

#include <cstdio>
#include <sstream>

using namespace quillform::detail;

namespace {
class Writer {
public:
    Writer& operator<<(const char* text) {
        out_ += text;
        return *this;
    }
    Writer& operator<<(double value) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, " %a", value);
        out_ += buffer;
        return *this;
    }
    Writer& Int(long long value) {
        out_ += ' ' + std::to_string(value);
        return *this;
    }
    Writer& Name(const char* name) {
        out_ += name ? std::string(" '") + name + "'" : std::string(" <null>");
        return *this;
    }
    std::string Take() { return std::move(out_); }

private:
    std::string out_;
};

void WriteVertex(Writer& w, const dxf_info& v) {
    w << "  v";
    w.Int(v.is_arc).Int(v.clockwise);
    w << v.x << v.y << v.center_x << v.center_y << v.radius << v.start_angle << v.end_angle
      << v.sweep << v.bulge << "\n";
}

void WriteBox(Writer& w, const TBoundingBox& b) {
    w << "   box" << b.MinX << b.MinY << b.MaxX << b.MaxY << b.Width << b.Height << "\n";
}

void WriteArc(Writer& w, const TArc& a) {
    w << "   arc";
    w.Int(a.IsArc).Int(a.Clockwise).Int(a.Tag);
    w << a.Radius << a.StartAngle << a.EndAngle << a.Sweep << a.CenterX << a.CenterY << a.StartX
      << a.StartY << a.EndX << a.EndY << "\n";
}

void WriteShape(Writer& w, uint8_t kind, const TPolygon* polygon, const TCircle* circle) {
    w << "  kind";
    w.Int(kind);
    w << "\n";
    if (polygon) {
        w << "  polygon";
        w.Int(polygon->Count);
        w << "\n";
        for (int32_t k = 0; k < polygon->Count; ++k) {
            w << "   point";
            w.Int(polygon->Points[k].Tag);
            w << polygon->Points[k].X << polygon->Points[k].Y << "\n";
            WriteArc(w, polygon->Arcs[k]);
        }
        WriteBox(w, polygon->Bounds);
    }
    if (circle) {
        w << "  circle" << circle->Radius << circle->Spare << circle->Center.X << circle->Center.Y
          << "\n";
        WriteBox(w, circle->Bounds);
    }
}

std::string ContoursText(const TLista& contours) {
    Writer w;
    for (const TListaNode* n = contours.Head; n; n = n->Next) {
        const auto* contour = static_cast<const TDXFPolygon*>(n->Item);
        w << "contour";
        w.Name(contour->Layer.get()).Int(contour->Count);
        w << "\n";
        for (const TListaNode* v = contour->Head; v; v = v->Next)
            WriteVertex(w, *static_cast<const dxf_info*>(v->Item));
    }
    return w.Take();
}

std::string LayersText(const TLayers& layers) {
    Writer w;
    for (const TListaNode* n = layers.Head; n; n = n->Next) {
        const auto* layer = static_cast<const TLayer*>(n->Item);
        w << "layer";
        w.Name(layer->Name.get()).Int(layer->Shapes.Count);
        w << "\n";
        for (const TListaNode* s = layer->Shapes.Head; s; s = s->Next) {
            const auto* part = static_cast<const part2d_any*>(s->Item);
            w << " part";
            w.Int(part->HoleCount);
            w << "\n";
            WriteShape(w, part->Kind, part->Polygon.get(), part->Circle.get());
            for (int32_t h = 0; h < part->HoleCount; ++h) {
                const TBaseShape& hole = part->Holes[h].Shape;
                w << " hole";
                w.Int(h);
                w << "\n";
                WriteShape(w, hole.Kind, hole.Polygon.get(), hole.Circle.get());
            }
        }
    }
    return w.Take();
}

TDXFPolygon* CopyPolyline(const TDXFPolygon& from) {
    auto* copy = new TDXFPolygon();
    for (const TListaNode* n = from.Head; n; n = n->Next) {
        if (n == from.Head) {
            int32_t* flags = NewPlainItem<int32_t>();
            *flags = *static_cast<const int32_t*>(n->Item);
            copy->Add(flags);
            continue;
        }
        auto* vertex = NewPlainItem<dxf_info>();
        *vertex = *static_cast<const dxf_info*>(n->Item);
        copy->Add(vertex);
    }
    copy->Layer = quillform::CopyName(from.Layer.get());
    return copy;
}

template <typename Record, typename Base> void CopyRecords(const TLista& from, TLista& to) {
    for (const TListaNode* n = from.Head; n; n = n->Next) {
        const auto* record = static_cast<const Record*>(n->Item);
        auto* copy = new Record();
        static_cast<Base&>(*copy) = static_cast<const Base&>(*record);
        copy->Layer = quillform::CopyName(record->Layer.get());
        to.Add(copy);
    }
}
} // namespace

std::unique_ptr<Test_CreationClass> CopyLists(const Test_CreationClass& input) {
    auto copy = std::make_unique<Test_CreationClass>();
    CopyRecords<TDXFSegment, TRealSegment>(input.Segments, copy->Segments);
    CopyRecords<TDXFArc, TArc>(input.Arcs, copy->Arcs);
    CopyRecords<TDXFCircle, TCircle>(input.Circles, copy->Circles);
    for (const TListaNode* n = input.Polylines.Head; n; n = n->Next)
        copy->Polylines.Add(CopyPolyline(*static_cast<const TDXFPolygon*>(n->Item)));
    for (const TListaNode* n = input.LayerNames.Head; n; n = n->Next)
        copy->LayerNames.AddName(static_cast<const char*>(n->Item));
    return copy;
}

TEngineRun RunEngine(const Test_CreationClass& input, const quillform::Settings& settings) {
    std::unique_ptr<Test_CreationClass> lists = CopyLists(input);
    TEngineRun run;
    TLista contours;
    MakeGeometryMode(settings)
        ->MakeLinker(settings.engine)
        ->Link(*lists, &contours, &run.status,
               TLinkOptions{settings.distance, settings.openMode, settings.mixLayers});
    run.contours = ContoursText(contours);
    if (run.status == 0) {
        TLayers layers;
        for (const TListaNode* n = lists->LayerNames.Head; n; n = n->Next)
            layers.Add(new TLayer(static_cast<const char*>(n->Item)));
        MakeClassifier(settings.engine)
            ->Classify(&contours, &lists->Circles, layers, settings, nullptr);
        run.layers = LayersText(layers);
        run.values = LayerValues(layers);
    }
    FreeContours(&contours);
    return run;
}

std::string FirstDifference(const std::string& a, const std::string& b) {
    std::istringstream left(a), right(b);
    std::string l, r;
    for (int line = 1;; ++line) {
        const bool moreLeft = static_cast<bool>(std::getline(left, l));
        const bool moreRight = static_cast<bool>(std::getline(right, r));
        if (!moreLeft && !moreRight)
            return "";
        if (!moreLeft || !moreRight || l != r)
            return "line " + std::to_string(line) + ":\n  reference: " + (moreLeft ? l : "<end>") +
                   "\n  fast:      " + (moreRight ? r : "<end>");
    }
}

std::string CompareEngines(const Test_CreationClass& input, quillform::Settings settings) {
    settings.engine = quillform::Engine::Reference;
    const TEngineRun reference = RunEngine(input, settings);
    settings.engine = quillform::Engine::Fast;
    const TEngineRun fast = RunEngine(input, settings);
    if (reference.status != fast.status)
        return "status " + std::to_string(reference.status) + " vs " + std::to_string(fast.status);
    std::string difference = FirstDifference(reference.contours, fast.contours);
    if (!difference.empty())
        return "contours differ at " + difference;
    difference = FirstDifference(reference.layers, fast.layers);
    if (!difference.empty())
        return "shapes differ at " + difference;
    return "";
}
