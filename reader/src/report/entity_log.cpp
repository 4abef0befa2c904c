// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/entity_log.h"

#include "quillform/number_format.h"

namespace quillform::entity_log {
namespace {
std::wstring Name(const wchar_t* name) {
    return name ? name : L"";
}
} // namespace

std::wstring LayerLine(const wchar_t* name) {
    return L"Layer name: " + Name(name);
}

std::wstring SegmentLine(double x1, double y1, double z1, double x2, double y2, double z2,
                         const wchar_t* layer, wchar_t s) {
    return L"Segment: Start(X=" + quillform::FormatNumber(x1, s) + L"; Y=" +
           quillform::FormatNumber(y1, s) + L"; Z=" + quillform::FormatNumber(z1, s) + L")-End(X=" +
           quillform::FormatNumber(x2, s) + L"; Y=" + quillform::FormatNumber(y2, s) + L"; Z=" +
           quillform::FormatNumber(z2, s) + L")" + L", Layer = " + Name(layer);
}

std::wstring CircleLine(double cx, double cy, double cz, double radius, const wchar_t* layer,
                        wchar_t s) {
    return L"Circle: (" + quillform::FormatNumber(cx, s) + L";" + quillform::FormatNumber(cy, s) +
           L";" + quillform::FormatNumber(cz, s) + L")-Radius = " +
           quillform::FormatNumber(radius, s) + L", Layer = " + Name(layer);
}

std::wstring ArcLine(double cx, double cy, double cz, double radius, double startAngle,
                     double endAngle, double startX, double startY, double endX, double endY,
                     const wchar_t* layer, wchar_t s) {
    return L"Arc: (center x=" + quillform::FormatNumber(cx, s) + L"; y=" +
           quillform::FormatNumber(cy, s) + L"; z=" + quillform::FormatNumber(cz, s) +
           L") radius=" + quillform::FormatNumber(radius, s) + L",angle(start= " +
           quillform::FormatNumber(startAngle, s) + L"; end=" +
           quillform::FormatNumber(endAngle, s) + L")" + L"StartPoint(X= " +
           quillform::FormatNumber(startX, s) + L";Y=" + quillform::FormatNumber(startY, s) +
           L"), EndPoint(X=" + quillform::FormatNumber(endX, s) + L";Y=" +
           quillform::FormatNumber(endY, s) + L")" + L", Layer = " + Name(layer);
}

std::wstring PolylineLine(int32_t vertexCount, int32_t flags, const wchar_t* layer) {
    return L"Polyline: num nodes = " + quillform::FormatInt(vertexCount) + L", flag = " +
           quillform::FormatInt(flags) + L", Layer = " + Name(layer);
}

std::wstring VertexLine(double x, double y, double z, double bulge, wchar_t s) {
    return L"Vertex (X=" + quillform::FormatNumber(x, s) + L"; Y=" + quillform::FormatNumber(y, s) +
           L"; Z=" + quillform::FormatNumber(z, s) + L") -Bulge = " +
           quillform::FormatNumber(bulge, s);
}

std::wstring BlockLine(const wchar_t* name) {
    return L"Block name: " + Name(name);
}

std::wstring EndBlockLine() {
    return L"End Block";
}

std::wstring InsertLine(const wchar_t* name, double x, double y, double z, const wchar_t* layer,
                        wchar_t s) {
    return L"Insert Block name: " + Name(name) + L"Position (X=" + quillform::FormatNumber(x, s) +
           L"; Y=" + quillform::FormatNumber(y, s) + L"; Z=" + quillform::FormatNumber(z, s) +
           L")" + L", Layer = " + Name(layer);
}

} // namespace quillform::entity_log

namespace quillform {
namespace {
EntityLogSink& Sink(void* context) {
    return *static_cast<EntityLogSink*>(context);
}

void OnLayer(void* c, const wchar_t* name) {
    Sink(c).Append(entity_log::LayerLine(name));
}

void OnSegment(void* c, double x1, double y1, double z1, double x2, double y2, double z2,
               const wchar_t* layer) {
    EntityLogSink& sink = Sink(c);
    sink.Append(entity_log::SegmentLine(x1, y1, z1, x2, y2, z2, layer, sink.DecimalSeparator()));
}

void OnCircle(void* c, double cx, double cy, double cz, double r, const wchar_t* layer) {
    EntityLogSink& sink = Sink(c);
    sink.Append(entity_log::CircleLine(cx, cy, cz, r, layer, sink.DecimalSeparator()));
}

void OnArc(void* c, double cx, double cy, double cz, double r, double a1, double a2, double sx,
           double sy, double ex, double ey, const wchar_t* layer) {
    EntityLogSink& sink = Sink(c);
    sink.Append(
        entity_log::ArcLine(cx, cy, cz, r, a1, a2, sx, sy, ex, ey, layer, sink.DecimalSeparator()));
}

void OnPolyline(void* c, int32_t count, int32_t flags, const wchar_t* layer) {
    Sink(c).Append(entity_log::PolylineLine(count, flags, layer));
}

void OnVertex(void* c, double x, double y, double z, double bulge) {
    EntityLogSink& sink = Sink(c);
    sink.Append(entity_log::VertexLine(x, y, z, bulge, sink.DecimalSeparator()));
}

void OnBlock(void* c, const wchar_t* name, double, double, double) {
    Sink(c).Append(entity_log::BlockLine(name));
}

void OnEndBlock(void* c) {
    Sink(c).Append(entity_log::EndBlockLine());
}

void OnInsert(void* c, const wchar_t* name, double x, double y, double z, double, double, double,
              double, const wchar_t* layer) {
    EntityLogSink& sink = Sink(c);
    sink.Append(entity_log::InsertLine(name, x, y, z, layer, sink.DecimalSeparator()));
}
} // namespace

EntityLogSink::~EntityLogSink() = default;

quillform::EntityEvents EntityLogEvents(EntityLogSink& sink) {
    quillform::EntityEvents events;
    events.OnLayer = {OnLayer, &sink};
    events.OnSegment = {OnSegment, &sink};
    events.OnCircle = {OnCircle, &sink};
    events.OnArc = {OnArc, &sink};
    events.OnPolyline = {OnPolyline, &sink};
    events.OnVertex = {OnVertex, &sink};
    events.OnBlock = {OnBlock, &sink};
    events.OnEndBlock = {OnEndBlock, &sink};
    events.OnInsert = {OnInsert, &sink};
    return events;
}

} // namespace quillform
