// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "classify/classifier.h"
#include "classify/part_sink.h"

#include "model/entity_store.h"

#include <memory>

namespace quillform::detail {

// The holes collected for one part; frees whatever they still hold.
struct THoleLists {
    TLista contours;
    TLista circles;
    THoleLists() = default;
    THoleLists(const THoleLists&) = delete;
    THoleLists& operator=(const THoleLists&) = delete;
    ~THoleLists() {
        FreeContours(&contours);
        FreeCircles(&circles);
    }
};

// Turns an outermost contour or circle into a part: builds its record, moves
// its direct holes out of the lists with the containment tests, and files
// the part under its layer. The records are built alike by both engines.
struct TShapeFiler {
    TLayers& layers;
    const quillform::Settings& options;
    TPartSink* sink = nullptr; // when set, parts go there rather than into the layers

    // Each takes the item at *position out of its list and leaves *position at
    // the node that followed it.
    void TakeContourAsShape(TListaNode** position, TLista* contours, TLista* circles);
    void TakeCircleAsShape(TListaNode** position, TLista* contours, TLista* circles);
    // When a pass took nothing (contours that each lie inside the other), the
    // first remaining contour, else circle, is taken so that the passes end.
    void TakeFirstAsShape(TLista* contours, TLista* circles);

    // The part of an outer contour (its polygon and box) or circle, without holes.
    std::unique_ptr<part2d_any> ContourPart(const TDXFPolygon& contour) const;
    static std::unique_ptr<part2d_any> CirclePart(const TDXFCircle& circle);
    // Stores the holes in the part and files it under the layer.
    void Finish(std::unique_ptr<part2d_any> part, const char* layer, const THoleLists& holes);
    void File(std::unique_ptr<part2d_any> part, const char* layer);
};

std::unique_ptr<TShapeClassifier> MakeReferenceClassifier();
std::unique_ptr<TShapeClassifier> MakeFastClassifier();

} // namespace quillform::detail
