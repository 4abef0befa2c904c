// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/export.h"

#include <cstdint>

// One node of a TLista. Walking code follows Next/Prev directly.
struct TListaNode {
    void* Item = nullptr;
    TListaNode* Next = nullptr;
    TListaNode* Prev = nullptr;
};

// Doubly linked list of untyped item pointers. The list never owns its items:
// whoever puts an item in frees it, usually as "free first item, Delete(0)".
class QUILLFORM_EXPORT TLista {
public:
    TListaNode* Head = nullptr;
    TListaNode* Tail = nullptr;
    int32_t Count = 0;

    TLista() = default;
    virtual ~TLista();
    TLista(const TLista&) = delete;
    TLista& operator=(const TLista&) = delete;

    bool Add(void* item);
    // An index at or past Count appends.
    bool Insert(int32_t index, void* item);
    // An index at or past Count does nothing.
    void Delete(int32_t index);
    // Unlinks and frees the node, returns its successor (null for the tail).
    TListaNode* Remove(TListaNode* node);
    // A negative index takes no step and returns the first item.
    void* GetItem(int32_t index) const;
    void Clear();

private:
    QUILLFORM_NO_EXPORT TListaNode* NodeAt(int32_t index) const;
};
