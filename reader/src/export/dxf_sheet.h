// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "cut_parts.h"

#include <string>
#include <vector>

namespace quillform::detail {

// What one cut-ready DXF holds: the whole drawing's parts, or one part.
struct DxfSheet {
    std::vector<const CutPart*> parts;
    std::vector<const OpenChain*> openChains; // written after the parts
    Point shift;                              // added to every coordinate
    Bounds bounds;                            // of what is written, before the shift
    bool empty = true;
    Unit unit;
};

// The whole drawing as a sheet: every part, and the open chains asked for.
DxfSheet WholeSheet(const CutContent& content);

// The sheet's R2000 DXF text, written through dxflib's writer.
std::string DxfText(const DxfSheet& sheet, bool keepLayers);

} // namespace quillform::detail
