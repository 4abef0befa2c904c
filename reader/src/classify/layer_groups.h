// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/name_interner.h"

// The one place where classification decides which contours and circles
// may contain one another: those of one group. Today a group is a layer
// (names compared byte-wise); taking holes across layers would put every
// item in one group, each shape still filed under its own outline's layer.
class TLayerGroups {
public:
    uint32_t GroupOf(const char* layer) { return names_.IdOf(layer); }
    uint32_t Count() const { return names_.Count(); }

private:
    TNameInterner names_;
};
