// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>

// An event slot: a plain callback plus the context handed back as its first
// argument. Names arrive as wide strings that live only during the call.
template <typename... Args> struct TDXFQuillformEvent {
    using Function = void (*)(void* context, Args...);
    Function Func = nullptr;
    void* Context = nullptr;

    void Raise(Args... args) const {
        if (Func)
            Func(Context, args...);
    }
};

using TReadDoneEvent = TDXFQuillformEvent<>;
using TLayerEvent = TDXFQuillformEvent<const wchar_t* /*name*/>;
using TSegmentEvent = TDXFQuillformEvent<double /*x1*/, double /*y1*/, double /*z1*/, double /*x2*/,
                                         double /*y2*/, double /*z2*/, const wchar_t* /*layer*/>;
using TCircleEvent = TDXFQuillformEvent<double /*cx*/, double /*cy*/, double /*cz*/,
                                        double /*radius*/, const wchar_t* /*layer*/>;
using TArcEvent = TDXFQuillformEvent<double /*cx*/, double /*cy*/, double /*cz*/, double /*radius*/,
                                     double /*startAngle*/, double /*endAngle*/, double /*startX*/,
                                     double /*startY*/, double /*endX*/, double /*endY*/,
                                     const wchar_t* /*layer*/>;
using TPolylineEvent =
    TDXFQuillformEvent<int32_t /*vertexCount*/, int32_t /*flags*/, const wchar_t* /*layer*/>;
using TVertexEvent = TDXFQuillformEvent<double /*x*/, double /*y*/, double /*z*/, double /*bulge*/>;
using TBlockEvent = TDXFQuillformEvent<const wchar_t* /*name*/, double /*baseX*/, double /*baseY*/,
                                       double /*baseZ*/>;
using TEndBlockEvent = TDXFQuillformEvent<>;
using TInsertEvent =
    TDXFQuillformEvent<const wchar_t* /*block*/, double /*x*/, double /*y*/, double /*z*/,
                       double /*scaleX*/, double /*scaleY*/, double /*scaleZ*/, double /*angle*/,
                       const wchar_t* /*layer*/>;

namespace quillform {

// The nine entity events, in the order the collector receives them.
struct EntityEvents {
    TLayerEvent OnLayer;
    TSegmentEvent OnSegment;
    TCircleEvent OnCircle;
    TArcEvent OnArc;
    TPolylineEvent OnPolyline;
    TVertexEvent OnVertex;
    TBlockEvent OnBlock;
    TEndBlockEvent OnEndBlock;
    TInsertEvent OnInsert;
};

} // namespace quillform
