// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "reading.h"

#include "model/geometry_constants.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace quillform::detail;

int TReadOutcome::LayerIndex(const std::string& name) const {
    for (int i = 0; i < copy.LayerCount; ++i)
        if (name == copy.Layers[i].Name.get())
            return i;
    return -1;
}

int TReadOutcome::ShapeCount(const std::string& layer) const {
    const int i = LayerIndex(layer);
    return i < 0 ? 0 : copy.Layers[i].ShapeCount;
}

bool TReadOutcome::HasWarning(const std::string& code) const {
    return std::any_of(report.warnings.begin(), report.warnings.end(),
                       [&](const quillform::Warning& w) { return w.code == code; });
}

TReadOutcome ReadDrawing(const std::string& path,
                         const std::function<void(TDXFQuillform&)>& configure) {
    struct Context {
        TDXFQuillform reader;
        TReadOutcome outcome;
    } context;
    context.reader.OnReadDone = {[](void* c) {
                                     auto* ctx = static_cast<Context*>(c);
                                     ctx->outcome.copy = quillform::CopyResults(ctx->reader);
                                 },
                                 &context};
    if (configure)
        configure(context.reader);
    context.reader.Read(std::wstring(path.begin(), path.end()).c_str());
    context.outcome.status = context.reader.GetStatus();
    context.outcome.report = context.reader.GetReport();
    return std::move(context.outcome);
}

namespace {
// Twice the area swept by x dy along an arc from angle a through the signed sweep s.
double ArcTerm(double cx, double cy, double r, double a, double s) {
    const double b = a + s;
    const double xdy = cx * r * (std::sin(b) - std::sin(a)) +
                       r * r / 2 * (s + (std::sin(2 * b) - std::sin(2 * a)) / 2);
    const double ydx = cy * r * (std::cos(b) - std::cos(a)) -
                       r * r / 2 * (s - (std::sin(2 * b) - std::sin(2 * a)) / 2);
    return xdy - ydx;
}
} // namespace

double OutlineArea(const TBaseShape& shape) {
    if (shape.Kind == quillform::kShapeCircle && shape.Circle)
        return kPi * shape.Circle->Radius * shape.Circle->Radius;
    if (!shape.Polygon)
        return 0;
    const TPolygon& p = *shape.Polygon;
    double twice = 0;
    for (int32_t k = 0; k < p.Count; ++k) {
        const TPolygonVertex& from = p.Points[k];
        const TPolygonVertex& to = p.Points[(k + 1) % p.Count];
        const TArc& edge = p.Arcs[k];
        if (!edge.IsArc) {
            twice += from.X * to.Y - to.X * from.Y;
            continue;
        }
        const double a = std::atan2(from.Y - edge.CenterY, from.X - edge.CenterX);
        const double b = std::atan2(to.Y - edge.CenterY, to.X - edge.CenterX);
        double sweep = std::fmod(b - a + 4 * kPi, 2 * kPi);
        if (sweep == 0)
            sweep = 2 * kPi; // an edge back to its own start is the whole circle
        if (edge.Clockwise)
            sweep -= 2 * kPi;
        const double r = std::hypot(from.X - edge.CenterX, from.Y - edge.CenterY);
        twice += ArcTerm(edge.CenterX, edge.CenterY, r, a, sweep);
    }
    return std::fabs(twice) / 2;
}
