// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/expansion_count.h"

#include <limits>
#include <variant>

namespace quillform::detail {

namespace {
constexpr int64_t kUncounted = std::numeric_limits<int64_t>::max();

int64_t SaturatingAdd(int64_t a, int64_t b) {
    return a > kUncounted - b ? kUncounted : a + b;
}
int64_t SaturatingTimes(int64_t a, int64_t b) {
    return b != 0 && a > kUncounted / b ? kUncounted : a * b;
}

// What placing an entity costs: one, a polyline one more per vertex.
struct TEntityCost {
    int64_t operator()(const TPlaced<TOwnedPolyline>& item) const { return item.entity->Count; }
    template <typename Other> int64_t operator()(const Other&) const { return 1; }
};
} // namespace

TExpansionCount::TExpansionCount(const TDrawingModel& model, const TExpansionBudget& budget)
    : model_(model), budget_(budget) {}

void TExpansionCount::Step() {
    if (++steps_ > budget_.Left())
        throw TExpansionLimitReached(budget_.Limit());
}

void TExpansionCount::Add(TTally& tally, int64_t cost) {
    tally.cost = SaturatingAdd(tally.cost, cost);
    if (tally.cost > budget_.Left())
        throw TExpansionLimitReached(budget_.Limit());
}

int64_t TExpansionCount::OfModelSpace() {
    TTally total;
    for (const TBlockItem& item : model_.modelSpace.items)
        if (const TInsertItem* insert = InsertOf(item))
            Add(total, OfCells(*insert, 0).cost);
    return total.cost;
}

TExpansionCount::TTally TExpansionCount::OfCells(const TInsertItem& insert, int depth) {
    const TBlockContents* child = model_.Find(insert.block);
    if (!child)
        return TTally{};
    if (states_[child].expanding || depth + 1 > kMaxNesting)
        return TTally{0, false};
    TTally cells = OfBlock(*child, depth + 1);
    cells.cost = SaturatingTimes(cells.cost, insert.Cells());
    return cells;
}

TExpansionCount::TTally TExpansionCount::OfBlock(const TBlockContents& block, int depth) {
    Step();
    TState& state = states_[&block];
    if (state.known)
        return TTally{state.cost, true};
    state.expanding = true;
    TTally tally{1, true};
    for (const TBlockItem& item : block.items) {
        Step();
        const TInsertItem* insert = InsertOf(item);
        const TTally part =
            insert ? OfCells(*insert, depth) : TTally{std::visit(TEntityCost(), item)};
        Add(tally, SaturatingAdd(insert ? 1 : 0, part.cost));
        tally.exact = tally.exact && part.exact;
    }
    state.expanding = false; // (references into the map outlive its growth)
    state.known = tally.exact;
    state.cost = tally.cost;
    return tally;
}

} // namespace quillform::detail
