// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "expand/edge_stretches.h"

#include <cstdint>
#include <vector>

namespace quillform::detail {

// The carriers (layer, line or circle) the loose edges lie on, in cells of
// the key figures' tolerances, so that an edge of a polyline or a circle can
// be told at once whether a loose edge may lie on its carrier. It may say
// yes where none does (nearby cells, hash collisions), never no where one
// does: a polyline of a million vertices away from every loose edge costs
// a few look-ups per edge, and nothing to hold.
class TCarrierIndex {
public:
    // Tolerances of the key figures in order; the third 0 for lines.
    TCarrierIndex(double first, double second, double third);

    // Every loose edge, then Finish, then the questions.
    void Add(const TStretch& loose);
    void Finish();
    bool MayHold(const TStretch& edge) const;

private:
    double cell_[3];
    int dimensions_;
    bool anyLoose_ = false;
    bool everything_ = false;     // cells of no size, keys beyond them: every edge may
    std::vector<uint64_t> cells_; // sorted

    bool Cell(const TStretch& s, int64_t (&at)[3]) const;
    static uint64_t LayerHash(const TStretch& s);
    static uint64_t Hash(uint64_t layer, const int64_t (&at)[3]);
};

} // namespace quillform::detail
