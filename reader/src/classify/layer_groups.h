// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/name_interner.h"

namespace quillform::detail {

// The one place where the fast classification decides which contours and
// circles may contain one another: those of one group. A group is a layer
// (names compared byte-wise), or, when holes are taken across layers, every
// item is in one group (each shape is still filed under its own outline's
// layer).
class TLayerGroups {
public:
    explicit TLayerGroups(bool acrossLayers = false) : acrossLayers_(acrossLayers) {}
    uint32_t GroupOf(const char* layer) { return acrossLayers_ ? 0 : names_.IdOf(layer); }
    uint32_t Count() const { return acrossLayers_ ? 1 : names_.Count(); }

private:
    bool acrossLayers_;
    TNameInterner names_;
};

} // namespace quillform::detail
