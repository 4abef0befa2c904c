// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/lista.h"

TLista::~TLista() {
    Clear();
}

bool TLista::Add(void* item) {
    auto* node = new TListaNode{item, nullptr, Tail};
    if (Tail)
        Tail->Next = node;
    else
        Head = node;
    Tail = node;
    ++Count;
    return true;
}

// Walks from the nearer end: the last node, often wanted, is found at once.
TListaNode* TLista::NodeAt(int32_t index) const {
    if (index >= Count / 2 && index < Count) {
        TListaNode* node = Tail;
        for (int32_t i = Count - 1; i > index; --i)
            node = node->Prev;
        return node;
    }
    TListaNode* node = Head;
    for (int32_t i = 0; i < index && node; ++i)
        node = node->Next;
    return node;
}

bool TLista::Insert(int32_t index, void* item) {
    if (index >= Count)
        return Add(item);
    // Negative indices are never passed by the system; treat them as the front.
    TListaNode* after = index <= 0 ? nullptr : NodeAt(index - 1);
    TListaNode* before = after ? after->Next : Head;
    auto* node = new TListaNode{item, before, after};
    before->Prev = node;
    if (after)
        after->Next = node;
    else
        Head = node;
    ++Count;
    return true;
}

void TLista::Delete(int32_t index) {
    // Negative indices are never passed by the system; ignore them like overlong ones.
    if (index < 0 || index >= Count)
        return;
    Remove(NodeAt(index));
}

TListaNode* TLista::Remove(TListaNode* node) {
    if (!node)
        return nullptr;
    TListaNode* next = node->Next;
    if (node->Prev)
        node->Prev->Next = next;
    else
        Head = next;
    if (next)
        next->Prev = node->Prev;
    else
        Tail = node->Prev;
    delete node;
    --Count;
    return next;
}

void* TLista::GetItem(int32_t index) const {
    if (Count == 0 || index >= Count)
        return nullptr;
    TListaNode* node = NodeAt(index < 0 ? 0 : index);
    return node ? node->Item : nullptr;
}

void TLista::Clear() {
    TListaNode* node = Head;
    while (node) {
        TListaNode* next = node->Next;
        delete node;
        node = next;
    }
    Head = Tail = nullptr;
    Count = 0;
}
