// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/lista.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {
int items[6] = {0, 1, 2, 3, 4, 5};
void* Item(int i) {
    return &items[i];
}

// The items in list order, checking every link invariant on the way.
std::vector<int> Contents(const TLista& list) {
    std::vector<int> result;
    const TListaNode* previous = nullptr;
    for (const TListaNode* node = list.Head; node; node = node->Next) {
        EXPECT_EQ(node->Prev, previous);
        result.push_back(node->Item ? *static_cast<int*>(node->Item) : -1);
        previous = node;
    }
    EXPECT_EQ(list.Tail, previous);
    EXPECT_EQ(list.Count, static_cast<int32_t>(result.size()));
    EXPECT_EQ(list.Head == nullptr, list.Count == 0);
    return result;
}

void Fill(TLista& list, int count) {
    for (int i = 0; i < count; ++i)
        list.Add(Item(i));
}

struct ListCase {
    std::string name;
    int initialCount;
    std::function<void(TLista&)> operation;
    std::vector<int> expected;
};

class ListaOperation : public testing::TestWithParam<ListCase> {};

TEST_P(ListaOperation, LeavesExpectedItems) {
    TLista list;
    Fill(list, GetParam().initialCount);
    GetParam().operation(list);
    EXPECT_EQ(Contents(list), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ListaOperation,
    testing::Values(
        ListCase{"InsertAtCountAppends", 2, [](TLista& l) { l.Insert(2, Item(5)); }, {0, 1, 5}},
        ListCase{"InsertBeyondCountAppends", 2, [](TLista& l) { l.Insert(9, Item(5)); }, {0, 1, 5}},
        ListCase{"InsertAtZeroOnEmpty", 0, [](TLista& l) { l.Insert(0, Item(5)); }, {5}},
        ListCase{"InsertAtZeroBecomesHead", 2, [](TLista& l) { l.Insert(0, Item(5)); }, {5, 0, 1}},
        ListCase{"InsertInMiddle", 3, [](TLista& l) { l.Insert(1, Item(5)); }, {0, 5, 1, 2}},
        ListCase{"InsertBeforeTail", 3, [](TLista& l) { l.Insert(2, Item(5)); }, {0, 1, 5, 2}},
        ListCase{"DeletePastEndDoesNothing", 3, [](TLista& l) { l.Delete(3); }, {0, 1, 2}},
        ListCase{"DeleteHead", 3, [](TLista& l) { l.Delete(0); }, {1, 2}},
        ListCase{"DeleteTail", 3, [](TLista& l) { l.Delete(2); }, {0, 1}},
        ListCase{"DeleteMiddle", 3, [](TLista& l) { l.Delete(1); }, {0, 2}},
        ListCase{"DeleteOnlyNode", 1, [](TLista& l) { l.Delete(0); }, {}},
        ListCase{"RemoveOnlyNode", 1, [](TLista& l) { EXPECT_EQ(l.Remove(l.Head), nullptr); }, {}},
        ListCase{"RemoveTailReturnsNull",
                 3,
                 [](TLista& l) { EXPECT_EQ(l.Remove(l.Tail), nullptr); },
                 {0, 1}},
        ListCase{"RemoveMiddleReturnsSuccessor",
                 3,
                 [](TLista& l) {
                     TListaNode* first = l.Head;
                     TListaNode* next = l.Remove(first->Next);
                     ASSERT_NE(next, nullptr);
                     EXPECT_EQ(next->Item, Item(2));
                     EXPECT_EQ(next->Prev, first);
                 },
                 {0, 2}},
        ListCase{"RemoveNullChangesNothing",
                 2,
                 [](TLista& l) { EXPECT_EQ(l.Remove(nullptr), nullptr); },
                 {0, 1}},
        ListCase{"ClearEmpties", 4, [](TLista& l) { l.Clear(); }, {}},
        ListCase{"DeleteWhileWalking",
                 5,
                 [](TLista& l) {
                     for (TListaNode* n = l.Head; n;)
                         n = (*static_cast<int*>(n->Item) % 2) ? l.Remove(n) : n->Next;
                 },
                 {0, 2, 4}}),
    [](const testing::TestParamInfo<ListCase>& info) { return info.param.name; });

TEST(ListaGetItem, OutOfRangeAndNegativeIndices) {
    TLista list;
    EXPECT_EQ(list.GetItem(0), nullptr);
    EXPECT_EQ(list.GetItem(-1), nullptr);
    Fill(list, 3);
    list.Add(nullptr);
    EXPECT_EQ(list.GetItem(-1), Item(0));
    EXPECT_EQ(list.GetItem(2), Item(2));
    EXPECT_EQ(list.GetItem(3), nullptr); // a stored null item
    EXPECT_EQ(list.GetItem(4), nullptr); // past the end
}

TEST(ListaOwnership, ClearingOneListLeavesSharedItemsAlive) {
    int value = 42;
    TLista first;
    {
        TLista second;
        first.Add(&value);
        second.Add(&value);
        second.Clear();
    }
    EXPECT_EQ(*static_cast<int*>(first.GetItem(0)), 42);
}
} // namespace
