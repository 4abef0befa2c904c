// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/entity_lists.h"

#include "quillform/diagnostics.h"
#include "quillform/settings.h"

#include <memory>
#include <vector>

namespace quillform::detail {

struct TLinkOptions {
    double linkingDistance = 0;
    int32_t openContourMode = 0;
    bool mixLayers = false;
    // Where every chain that does not close is recorded, if anywhere.
    std::vector<quillform::OpenChain>* openChains = nullptr;
};

// Chains the lists' segments, arcs and open polylines into contours.
// Every engine gives the contours of the literal scan (reference_linker.h),
// in its order, with its status bits.
class TContourLinker {
public:
    virtual ~TContourLinker() = default;
    virtual void Link(quillform::detail::TEntityLists& entities, TLista* contours, int32_t* status,
                      const TLinkOptions& options) = 0;
};

std::unique_ptr<TContourLinker> MakeLinker(quillform::Engine engine);
std::unique_ptr<TContourLinker> MakeFastLinker();
// Linking nearest first (nearest_first.h): the engines agree result for
// result here too.
std::unique_ptr<TContourLinker> MakeNearestLinker(quillform::Engine engine);
std::unique_ptr<TContourLinker> MakeFastNearestLinker();

} // namespace quillform::detail
