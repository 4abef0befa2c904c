// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "classify/classifier.h"

// Turns an outermost contour or circle into a part: builds its record, moves
// its direct holes out of the lists with the containment tests, and files
// the part under its layer. Shared by both classification engines.
struct TShapeFiler {
    TLayers& layers;
    const TClassifyOptions& options;

    // Each takes the item at *position out of its list and leaves *position at
    // the node that followed it.
    void TakeContourAsShape(TListaNode** position, TLista* contours, TLista* circles);
    void TakeCircleAsShape(TListaNode** position, TLista* contours, TLista* circles);
    // When a pass took nothing (contours that each lie inside the other), the
    // first remaining contour, else circle, is taken so that the passes end.
    void TakeFirstAsShape(TLista* contours, TLista* circles);
    void File(part2d_any* part, const char* layer);
};

std::unique_ptr<TShapeClassifier> MakeReferenceClassifier();
