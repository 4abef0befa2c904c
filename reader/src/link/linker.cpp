// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "link/linker.h"

namespace {
// The literal scan of Test_CreationClass::LinkContours.
class TReferenceLinker : public TContourLinker {
public:
    void Link(Test_CreationClass& entities, TLista* contours, int32_t* status,
              const TLinkOptions& options) override {
        entities.OpenChainRecord = options.openChains;
        entities.LinkContours(contours, status, options.linkingDistance, options.openContourMode,
                              options.mixLayers);
        entities.OpenChainRecord = nullptr;
    }
};
} // namespace

std::unique_ptr<TContourLinker> MakeLinker(quillform::Engine engine) {
    if (engine == quillform::Engine::Fast)
        return MakeFastLinker();
    return std::make_unique<TReferenceLinker>();
}
