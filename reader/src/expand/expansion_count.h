// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "collect/expansion_budget.h"
#include "model/block_model.h"

#include <cstdint>
#include <unordered_map>

namespace quillform::detail {

// What expanding model space's inserts will cost the budget, counted on the
// block graph before anything is made: every visit of a block (one per array
// cell), every insert inside a block, every entity (a polyline one more per
// vertex; an ellipse or spline one until it is fitted), with the stops the
// expansion makes (a block that is being expanded already, nesting deeper
// than kMaxNesting). A block's count is remembered only when no stop was met
// below it, so that a cycle is never counted as nothing; counting walks at
// most as many steps as its result, and stops (TExpansionLimitReached) as
// soon as that passes what is left of the budget.
class TExpansionCount {
public:
    TExpansionCount(const TDrawingModel& model, const TExpansionBudget& budget);
    int64_t OfModelSpace();

private:
    struct TTally {
        int64_t cost = 0;
        bool exact = true; // met no stop: the same wherever the block is inserted
    };
    struct TState {
        bool expanding = false;
        bool known = false;
        int64_t cost = 0;
    };

    TTally OfBlock(const TBlockContents& block, int depth);
    // The cells of an insert met at this depth, or nothing where expansion stops.
    TTally OfCells(const TInsertItem& insert, int depth);
    void Add(TTally& tally, int64_t cost);
    void Step();

    const TDrawingModel& model_;
    const TExpansionBudget& budget_;
    int64_t steps_ = 0;
    std::unordered_map<const TBlockContents*, TState> states_;
};

} // namespace quillform::detail
