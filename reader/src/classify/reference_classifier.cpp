// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The literal classification passes: every test scans the whole lists and
// rebuilds split outlines. This is the reference the fast engine must match.
#include "classify/classifier.h"
#include "classify/layer_rule.h"

#include "classify/shape_filing.h"

namespace quillform::detail {

namespace {
class TReferenceClassifier : public TShapeClassifier {
public:
    void Classify(TLista* contours, TLista* circles, TLayers& layers,
                  const quillform::Settings& options, TPartSink* sink) override {
        const TAcrossLayers rule(options.holesAcrossLayers);
        TShapeFiler filer{layers, options, sink};
        while (contours->Count + circles->Count > 0) {
            bool progress = ContourPass(filer, contours, circles);
            progress = CirclePass(filer, contours, circles) || progress;
            if (!progress)
                filer.TakeFirstAsShape(contours, circles);
        }
    }

private:
    static bool ContourPass(TShapeFiler& filer, TLista* contours, TLista* circles) {
        bool took = false;
        for (TListaNode* node = contours->Head; node;) {
            const auto* contour = static_cast<const TDXFPolygon*>(node->Item);
            if (contour->IsInsideOtherContour(node, contours) ||
                contour->IsInsideAnyCircle(circles)) {
                node = node->Next;
                continue;
            }
            filer.TakeContourAsShape(&node, contours, circles);
            took = true;
        }
        return took;
    }

    static bool CirclePass(TShapeFiler& filer, TLista* contours, TLista* circles) {
        bool took = false;
        for (TListaNode* node = circles->Head; node;) {
            const auto* circle = static_cast<const TDXFCircle*>(node->Item);
            if (circle->IsInsideAnyContour(contours) ||
                circle->IsInsideOtherCircle(node, circles)) {
                node = node->Next;
                continue;
            }
            filer.TakeCircleAsShape(&node, contours, circles);
            took = true;
        }
        return took;
    }
};
} // namespace

std::unique_ptr<TShapeClassifier> MakeReferenceClassifier() {
    return std::make_unique<TReferenceClassifier>();
}

} // namespace quillform::detail
