// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/export.h"
#include "quillform/outline.h"

#include <string>
#include <vector>

namespace quillform {

// The shape listing of one layer, as both front ends show it: a "SHAPE # "
// line per shape, its outline, its box, then each hole with its own box.
// Numbers use FormatNumber with the given decimal separator.
QUILLFORM_EXPORT std::vector<std::wstring> ListingLines(const Layer& layer, wchar_t separator);
// The lines of one shape of that listing, index its place in its layer: a
// long listing can be written shape by shape, without holding all of it.
QUILLFORM_EXPORT std::vector<std::wstring> ShapeListingLines(const Shape& shape, size_t index,
                                                             wchar_t separator);

// The per-layer announcement: count + " shapes discovered in layer " + name.
QUILLFORM_EXPORT std::wstring ShapesDiscoveredMessage(const Layer& layer);

} // namespace quillform
