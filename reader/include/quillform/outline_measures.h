// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/export.h"
#include "quillform/outline.h"

#include <string>

namespace quillform {

// The area an outline encloses (arcs included; the magnitude, whichever way
// it runs), and a shape's area less its holes': the material of the part.
QUILLFORM_EXPORT double EnclosedArea(const Outline& outline);
QUILLFORM_EXPORT double MaterialArea(const Shape& shape);

// An SVG path of the outline ("M … L … A … Z") in drawing coordinates (y
// grows upwards: draw it under transform="scale(1,-1)"); a shape's path has
// its holes as further subpaths, for fill-rule="evenodd".
QUILLFORM_EXPORT std::string SvgPath(const Outline& outline);
QUILLFORM_EXPORT std::string SvgPath(const Shape& shape);

} // namespace quillform
