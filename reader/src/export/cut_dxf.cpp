// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/cut_files.h"

#include "cut_parts.h"
#include "dxf_sheet.h"

namespace quillform {

CutFileResult CutDxf(const Drawing& drawing, const CutFileOptions& options) {
    CutFileResult result;
    detail::CutContent content;
    if (!detail::GatherParts(drawing, options.outputUnits, options.openChains, content,
                             &result.error))
        return result;
    result.text = detail::DxfText(detail::WholeSheet(content), options.keepLayers);
    result.warnings = std::move(content.warnings);
    result.ok = true;
    return result;
}

} // namespace quillform
