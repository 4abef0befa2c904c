// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "entity_log_printer.h"

#include "text_output.h"

#include "quillform/entity_log.h"

namespace {
std::FILE* Stream(void* context) {
    return static_cast<std::FILE*>(context);
}

void OnLayer(void* c, const wchar_t* name) {
    WriteLine(Stream(c), entity_log::LayerLine(name));
}

void OnSegment(void* c, double x1, double y1, double z1, double x2, double y2, double z2,
               const wchar_t* layer) {
    WriteLine(Stream(c), entity_log::SegmentLine(x1, y1, z1, x2, y2, z2, layer, L'.'));
}

void OnCircle(void* c, double cx, double cy, double cz, double r, const wchar_t* layer) {
    WriteLine(Stream(c), entity_log::CircleLine(cx, cy, cz, r, layer, L'.'));
}

void OnArc(void* c, double cx, double cy, double cz, double r, double a1, double a2, double sx,
           double sy, double ex, double ey, const wchar_t* layer) {
    WriteLine(Stream(c), entity_log::ArcLine(cx, cy, cz, r, a1, a2, sx, sy, ex, ey, layer, L'.'));
}

void OnPolyline(void* c, int32_t count, int32_t flags, const wchar_t* layer) {
    WriteLine(Stream(c), entity_log::PolylineLine(count, flags, layer));
}

void OnVertex(void* c, double x, double y, double z, double bulge) {
    WriteLine(Stream(c), entity_log::VertexLine(x, y, z, bulge, L'.'));
}

void OnBlock(void* c, const wchar_t* name, double, double, double) {
    WriteLine(Stream(c), entity_log::BlockLine(name));
}

void OnEndBlock(void* c) {
    WriteLine(Stream(c), entity_log::EndBlockLine());
}

void OnInsert(void* c, const wchar_t* name, double x, double y, double z, double, double, double,
              double, const wchar_t* layer) {
    WriteLine(Stream(c), entity_log::InsertLine(name, x, y, z, layer, L'.'));
}
} // namespace

TEntityEvents EntityLogPrinter(std::FILE* stream) {
    TEntityEvents events;
    events.OnLayer = {OnLayer, stream};
    events.OnSegment = {OnSegment, stream};
    events.OnCircle = {OnCircle, stream};
    events.OnArc = {OnArc, stream};
    events.OnPolyline = {OnPolyline, stream};
    events.OnVertex = {OnVertex, stream};
    events.OnBlock = {OnBlock, stream};
    events.OnEndBlock = {OnEndBlock, stream};
    events.OnInsert = {OnInsert, stream};
    return events;
}
