// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/contours.h"

#include <string>

// One line per linked contour, for checking linking on real drawings:
//   <layer>: <n> vertices: x y; x y arc cx cy r <ccw|cw>; ...
// where "arc ..." follows the vertex whose outgoing edge is an arc.
std::wstring ContourLine(const quillform::Contour& contour);
