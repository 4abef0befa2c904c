// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "link/linker.h"

#include "link/reference_linker.h"

namespace quillform::detail {

namespace {
class TReferenceLinker : public TContourLinker {
public:
    void Link(quillform::detail::TEntityLists& entities, TLista* contours, int32_t* status,
              const TLinkOptions& options) override {
        quillform::detail::LinkContours(entities, contours, status, options);
    }
};

class TReferenceNearestLinker : public TContourLinker {
public:
    void Link(quillform::detail::TEntityLists& entities, TLista* contours, int32_t* status,
              const TLinkOptions& options) override {
        LinkContoursNearestFirst(entities, contours, status, options);
    }
};
} // namespace

std::unique_ptr<TContourLinker> MakeLinker(quillform::Engine engine) {
    if (engine == quillform::Engine::Fast)
        return MakeFastLinker();
    return std::make_unique<TReferenceLinker>();
}

std::unique_ptr<TContourLinker> MakeNearestLinker(quillform::Engine engine) {
    if (engine == quillform::Engine::Fast)
        return MakeFastNearestLinker();
    return std::make_unique<TReferenceNearestLinker>();
}

} // namespace quillform::detail
