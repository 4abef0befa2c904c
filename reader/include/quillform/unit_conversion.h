// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/export.h"

#include <string>

namespace quillform {

struct Drawing;

// Writes every length (coordinates, radii, bounds, gaps, distances) in the
// unit named ("mm", "cm", "m", "in", "ft", ...) instead of the drawing's;
// `lengths` then names it.
// False (the drawing unchanged, the reason in *error) when the drawing's
// unit is unknown or the name is no unit.
QUILLFORM_EXPORT bool ConvertUnits(Drawing& drawing, const std::string& unitName,
                                   std::string* error);

} // namespace quillform
