// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/block_model.h"

namespace quillform::detail {

const TBlockContents* TDrawingModel::Find(const std::string& name) const {
    for (const auto& block : blocks)
        if (block->name == name)
            return block.get();
    return nullptr;
}

} // namespace quillform::detail
