// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The hashed and indexed lookups behind the queries and the collector: they
// must answer as the list walks they replace, also after the lists grow or
// are cleared and filled again.
#include "model/entity_store.h"
#include "quillform/shape_records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillform::detail;

namespace {
// Walks the list node by node as GetItem always did; a negative index takes no step.
const void* Walked(const TLista& list, int32_t index) {
    if (list.Count == 0 || index >= list.Count)
        return nullptr;
    const TListaNode* node = list.Head;
    for (int32_t i = 0; i < index; ++i)
        node = node->Next;
    return node->Item;
}

TEST(ListaIndex, GetItemFromEitherEndMatchesTheWalk) {
    int items[7] = {};
    for (int count = 0; count <= 7; ++count) {
        TLista list;
        for (int i = 0; i < count; ++i)
            list.Add(&items[i]);
        for (int32_t index = -2; index <= count + 1; ++index)
            EXPECT_EQ(list.GetItem(index), Walked(list, index))
                << "count " << count << " index " << index;
    }
}

TEST(LayersIndex, FirstOfADuplicatedNameAlsoAfterLaterAppends) {
    TLayers layers;
    auto* first = new TLayer("Walls");
    layers.Add(first);
    EXPECT_EQ(layers.Find("Walls"), first);
    EXPECT_EQ(layers.Find("Doors"), nullptr);
    auto* doors = new TLayer("Doors");
    auto* second = new TLayer("Walls");
    layers.Add(doors);
    layers.Add(second);
    EXPECT_EQ(layers.Find("Walls"), first);
    EXPECT_EQ(layers.Find("Doors"), doors);
    EXPECT_EQ(layers.LayerAt(2), second);
}

TEST(LayersIndex, ClearedAndFilledAgainFindsTheNewLayers) {
    TLayers layers;
    for (const char* name : {"A", "B"})
        layers.Add(new TLayer(name));
    ASSERT_NE(layers.Find("B"), nullptr);
    layers.Clear();
    EXPECT_EQ(layers.Find("B"), nullptr);
    EXPECT_EQ(layers.LayerAt(0), nullptr);
    auto* b = new TLayer("B");
    auto* a = new TLayer("A");
    layers.Add(b);
    layers.Add(a);
    EXPECT_EQ(layers.Find("A"), a);
    EXPECT_EQ(layers.Find("B"), b);
    EXPECT_EQ(layers.LayerAt(0), b);
}

TEST(LayersIndex, LayerAtAnswersAsGetItem) {
    TLayers layers;
    for (const char* name : {"0", "1", "2", "3"}) {
        layers.Add(new TLayer(name));
        for (int32_t index = -1; index <= layers.Count; ++index)
            EXPECT_EQ(layers.LayerAt(index), layers.GetItem(index))
                << "count " << layers.Count << " index " << index;
    }
}

TEST(LayerShapes, ShapeAtAnswersAsTheWalkWhileShapesAreFiled) {
    TLayer layer("0");
    EXPECT_EQ(layer.ShapeAt(0), nullptr);
    for (int count = 1; count <= 5; ++count) {
        layer.Shapes.Add(new part2d_any());
        for (int32_t index = -1; index <= count; ++index) {
            const void* walked = index < 0 ? nullptr : Walked(layer.Shapes, index);
            EXPECT_EQ(layer.ShapeAt(index), walked) << "count " << count << " index " << index;
        }
    }
}

TEST(LayerNamesIndex, ContainsEveryAddedNameExactly) {
    TLayersName names;
    EXPECT_FALSE(names.Contains("0"));
    names.AddName("0");
    names.AddName("Walls");
    names.AddName("Walls");
    EXPECT_TRUE(names.Contains("Walls"));
    EXPECT_FALSE(names.Contains("walls"));
    EXPECT_FALSE(names.Contains("Wall"));
    EXPECT_FALSE(names.Contains(nullptr));
    names.AddName(nullptr);
    EXPECT_TRUE(names.Contains(nullptr));
    EXPECT_EQ(names.Count, 4); // order and duplicates kept
    names.Clear();
    EXPECT_FALSE(names.Contains("0"));
    names.AddName("1");
    EXPECT_TRUE(names.Contains("1"));
    EXPECT_FALSE(names.Contains("Walls"));
}

TEST(LayerNamesIndex, ManyNamesStayDistinct) {
    TLayersName names;
    for (int i = 0; i < 2000; i += 2)
        names.AddName(("L" + std::to_string(i)).c_str());
    for (int i = 0; i < 2000; ++i)
        EXPECT_EQ(names.Contains(("L" + std::to_string(i)).c_str()), i % 2 == 0) << i;
}
} // namespace
