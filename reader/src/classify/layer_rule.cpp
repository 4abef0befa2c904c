// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "classify/layer_rule.h"

#include "model/entity_store.h"

namespace quillform::detail {

namespace {
thread_local bool acrossLayers = false;
} // namespace

bool SameClassificationGroup(const char* a, const char* b) {
    return acrossLayers || SameName(a, b);
}

TAcrossLayers::TAcrossLayers(bool across) : previous_(acrossLayers) {
    acrossLayers = across;
}

TAcrossLayers::~TAcrossLayers() {
    acrossLayers = previous_;
}

} // namespace quillform::detail
