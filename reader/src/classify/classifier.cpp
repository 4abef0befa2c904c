// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "classify/classifier.h"

#include "classify/shape_filing.h"

namespace quillform::detail {

std::unique_ptr<TShapeClassifier> MakeClassifier(quillform::Engine engine) {
    if (engine == quillform::Engine::Fast)
        return MakeFastClassifier();
    return MakeReferenceClassifier();
}

} // namespace quillform::detail
