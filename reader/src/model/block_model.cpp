// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "model/block_model.h"

#include <algorithm>

namespace quillform::detail {

TInsertItem::TInsertItem(std::string blockName, std::string insertLayer, int64_t rowCount,
                         int64_t columnCount, double rowStep, double columnStep)
    : block(std::move(blockName)), layer(std::move(insertLayer)),
      rows(rowStep == 0 ? 1 : std::max<int64_t>(1, rowCount)),
      columns(columnStep == 0 ? 1 : std::max<int64_t>(1, columnCount)), rowSpacing(rowStep),
      columnSpacing(columnStep) {}

TAffine2D TInsertItem::Cell(int64_t index) const {
    const double row = static_cast<double>(index / columns);
    const double column = static_cast<double>(index % columns);
    return scale.Then(TAffine2D::Translation(column * columnSpacing, row * rowSpacing)).Then(place);
}

const TBlockContents* TDrawingModel::Find(const std::string& name) const {
    for (; indexed_ < blocks.size(); ++indexed_)
        index_.emplace(blocks[indexed_]->name, blocks[indexed_].get());
    const auto found = index_.find(name);
    return found == index_.end() ? nullptr : found->second;
}

} // namespace quillform::detail
