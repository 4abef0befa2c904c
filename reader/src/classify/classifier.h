// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/settings.h"
#include "quillform/shape_records.h"

#include <memory>

namespace quillform::detail {

class TPartSink;

// Repeats classification passes until no contour and no circle is left:
// each outermost contour or circle becomes a part with its direct holes,
// filed under its layer. Every engine files the same parts in the same order.
// The settings give the tolerance of outer polygon boxes and whether holes
// are taken across layers. Parts are filed into the layers' lists, or handed
// to sink when it is not null.
class TShapeClassifier {
public:
    virtual ~TShapeClassifier() = default;
    virtual void Classify(TLista* contours, TLista* circles, TLayers& layers,
                          const quillform::Settings& options, TPartSink* sink) = 0;
};

std::unique_ptr<TShapeClassifier> MakeClassifier(quillform::Engine engine);

} // namespace quillform::detail
