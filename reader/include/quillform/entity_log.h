// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/events.h"
#include "quillform/export.h"

#include <cstdint>
#include <string>

// The entity-log line of each entity event, as both front ends show it.
// Numbers use FormatNumber with the given decimal separator.
namespace quillform::entity_log {

QUILLFORM_EXPORT std::wstring LayerLine(const wchar_t* name);
QUILLFORM_EXPORT std::wstring SegmentLine(double x1, double y1, double z1, double x2, double y2,
                                          double z2, const wchar_t* layer, wchar_t separator);
QUILLFORM_EXPORT std::wstring CircleLine(double cx, double cy, double cz, double radius,
                                         const wchar_t* layer, wchar_t separator);
QUILLFORM_EXPORT std::wstring ArcLine(double cx, double cy, double cz, double radius,
                                      double startAngle, double endAngle, double startX,
                                      double startY, double endX, double endY, const wchar_t* layer,
                                      wchar_t separator);
QUILLFORM_EXPORT std::wstring PolylineLine(int32_t vertexCount, int32_t flags,
                                           const wchar_t* layer);
QUILLFORM_EXPORT std::wstring VertexLine(double x, double y, double z, double bulge,
                                         wchar_t separator);
QUILLFORM_EXPORT std::wstring BlockLine(const wchar_t* name);
QUILLFORM_EXPORT std::wstring EndBlockLine();
QUILLFORM_EXPORT std::wstring InsertLine(const wchar_t* name, double x, double y, double z,
                                         const wchar_t* layer, wchar_t separator);

} // namespace quillform::entity_log

namespace quillform {

// Where an entity log goes: one line per entity event, in file order.
class QUILLFORM_EXPORT EntityLogSink {
public:
    virtual ~EntityLogSink();
    virtual void Append(const std::wstring& line) = 0;
    // The decimal separator of the numbers, asked for each line.
    virtual wchar_t DecimalSeparator() const { return L'.'; }
};

// The nine entity event slots, each appending its event's log line to the
// sink, which must outlive the read.
QUILLFORM_EXPORT quillform::EntityEvents EntityLogEvents(EntityLogSink& sink);

} // namespace quillform
