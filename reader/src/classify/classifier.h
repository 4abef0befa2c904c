// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/settings.h"
#include "quillform/shape_records.h"

#include <memory>

namespace quillform::detail {

struct TClassifyOptions {
    double tolerance = 1e-5; // boxes of outer polygon shapes
    // Holes and islands may come from any layer; a shape keeps its outer
    // outline's layer.
    bool holesAcrossLayers = false;
};

// Repeats classification passes until no contour and no circle is left:
// each outermost contour or circle becomes a part with its direct holes,
// filed under its layer. Every engine files the same parts in the same order.
class TShapeClassifier {
public:
    virtual ~TShapeClassifier() = default;
    virtual void Classify(TLista* contours, TLista* circles, TLayers& layers,
                          const TClassifyOptions& options) = 0;
};

std::unique_ptr<TShapeClassifier> MakeClassifier(quillform::Engine engine);

} // namespace quillform::detail
