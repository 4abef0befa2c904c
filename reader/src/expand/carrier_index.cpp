// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/carrier_index.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string_view>

namespace quillform::detail {

TCarrierIndex::TCarrierIndex(double first, double second, double third)
    : cell_{4 * first, 4 * second, 4 * third}, dimensions_(third > 0 ? 3 : 2) {
    for (int k = 0; k < dimensions_; ++k)
        everything_ = everything_ || !(cell_[k] > 0) || !std::isfinite(cell_[k]);
}

void TCarrierIndex::Add(const TStretch& loose) {
    anyLoose_ = true;
    int64_t at[3] = {0, 0, 0};
    if (everything_)
        return;
    if (!Cell(loose, at)) {
        everything_ = true; // a key no cell holds: leave nothing out
        cells_ = std::vector<uint64_t>();
        return;
    }
    cells_.push_back(Hash(LayerHash(loose), at));
}

void TCarrierIndex::Finish() {
    std::sort(cells_.begin(), cells_.end());
    cells_.shrink_to_fit();
}

// A key within its tolerance of a loose edge's lies in that edge's cell or
// in the next one on the side of the cell's edge it is within a tolerance
// of (cells are four tolerances wide).
bool TCarrierIndex::MayHold(const TStretch& edge) const {
    if (!anyLoose_ || everything_)
        return anyLoose_;
    int64_t at[3] = {0, 0, 0}, from[3] = {0, 0, 0}, to[3] = {0, 0, 0};
    if (!Cell(edge, at))
        return true;
    for (int k = 0; k < dimensions_; ++k) {
        const double within = edge.key[k] / cell_[k] - static_cast<double>(at[k]);
        from[k] = within < 0.3 ? -1 : 0;
        to[k] = within > 0.7 ? 1 : 0;
    }
    const uint64_t layer = LayerHash(edge);
    for (int64_t i = from[0]; i <= to[0]; ++i)
        for (int64_t j = from[1]; j <= to[1]; ++j)
            for (int64_t k = from[2]; k <= to[2]; ++k) {
                const int64_t near[3] = {at[0] + i, at[1] + j, at[2] + k};
                if (std::binary_search(cells_.begin(), cells_.end(), Hash(layer, near)))
                    return true;
            }
    return false;
}

// The cell of the stretch's key; false for keys too large for a cell number
// or not numbers at all.
bool TCarrierIndex::Cell(const TStretch& s, int64_t (&at)[3]) const {
    for (int k = 0; k < dimensions_; ++k) {
        const double q = std::floor(s.key[k] / cell_[k]);
        if (!(std::fabs(q) < 4e18))
            return false;
        at[k] = static_cast<int64_t>(q);
    }
    return true;
}

uint64_t TCarrierIndex::LayerHash(const TStretch& s) {
    return std::hash<std::string_view>()(s.layer ? s.layer : "");
}

uint64_t TCarrierIndex::Hash(uint64_t layer, const int64_t (&at)[3]) {
    uint64_t h = layer;
    for (int64_t v : at)
        h = (h ^ static_cast<uint64_t>(v)) * 0x100000001b3ull + 0x9e3779b97f4a7c15ull;
    return h;
}

} // namespace quillform::detail
