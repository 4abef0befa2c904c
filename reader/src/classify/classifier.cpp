// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "classify/classifier.h"

#include "classify/shape_filing.h"

std::unique_ptr<TShapeClassifier> MakeClassifier(TEngine engine) {
    if (engine == TEngine::Fast)
        return MakeFastClassifier();
    return MakeReferenceClassifier();
}
