// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "test_support.h"

#include "quillform/entity_log.h"

std::string TestData(const std::string& name) {
    return std::string(QUILLFORM_TEST_DATA) + "/" + name;
}

std::wstring TestDataWide(const std::string& name) {
    const std::string path = TestData(name);
    return std::wstring(path.begin(), path.end());
}

namespace {
std::vector<std::wstring>& Lines(void* context) {
    return static_cast<EventRecorder*>(context)->lines;
}
} // namespace

TEntityEvents EventRecorder::Events() {
    TEntityEvents e;
    e.OnLayer = {[](void* c, const wchar_t* n) { Lines(c).push_back(entity_log::LayerLine(n)); },
                 this};
    e.OnSegment = {[](void* c, double x1, double y1, double z1, double x2, double y2, double z2,
                      const wchar_t* l) {
                       Lines(c).push_back(entity_log::SegmentLine(x1, y1, z1, x2, y2, z2, l, '.'));
                   },
                   this};
    e.OnCircle = {[](void* c, double x, double y, double z, double r, const wchar_t* l) {
                      Lines(c).push_back(entity_log::CircleLine(x, y, z, r, l, '.'));
                  },
                  this};
    e.OnArc = {[](void* c, double x, double y, double z, double r, double a1, double a2, double sx,
                  double sy, double ex, double ey, const wchar_t* l) {
                   Lines(c).push_back(
                       entity_log::ArcLine(x, y, z, r, a1, a2, sx, sy, ex, ey, l, '.'));
               },
               this};
    e.OnPolyline = {[](void* c, int32_t n, int32_t f, const wchar_t* l) {
                        Lines(c).push_back(entity_log::PolylineLine(n, f, l));
                    },
                    this};
    e.OnVertex = {[](void* c, double x, double y, double z, double b) {
                      Lines(c).push_back(entity_log::VertexLine(x, y, z, b, '.'));
                  },
                  this};
    e.OnBlock = {[](void* c, const wchar_t* n, double, double, double) {
                     Lines(c).push_back(entity_log::BlockLine(n));
                 },
                 this};
    e.OnEndBlock = {[](void* c) { Lines(c).push_back(entity_log::EndBlockLine()); }, this};
    e.OnInsert = {
        [](void* c, const wchar_t* n, double x, double y, double z, double, double, double, double,
           const wchar_t* l) { Lines(c).push_back(entity_log::InsertLine(n, x, y, z, l, '.')); },
        this};
    return e;
}
