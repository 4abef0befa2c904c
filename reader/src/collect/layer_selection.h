// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/entity_lists.h"

#include "quillform/diagnostics.h"
#include "quillform/settings.h"

namespace quillform::detail {

// Whether a layer is read under the settings' layer lists (names as the
// file holds them, or as UTF-8).
bool LayerSelected(const char* name, const quillform::Settings& settings);

// Leaves out of the model-space lists every entity on a layer that is not
// read, before anything is linked or classified; a name of the lists that
// matches no layer of the file gets a warning `unknownLayer` (detail: the name).
// Returns whether the lists were sifted at all.
bool KeepSelectedLayers(quillform::detail::TEntityLists& lists, const quillform::Settings& settings,
                        quillform::Diagnostics& report);

} // namespace quillform::detail
