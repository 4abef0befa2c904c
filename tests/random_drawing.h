// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "collect/collector.h"

#include <cstdint>

// A random drawing for comparing engines, fed to a collector through
// dxflib's callbacks as a parsed file would be: layers, LINE+ARC outlines,
// squares of loose lines, closed and open polylines with bulges, hexagons,
// circles (zero, negative and NaN radii among them), full-circle arcs,
// nested and coincident outlines, gaps just inside and just outside the
// linking distances 0.5 and 1, rotated inserts of blocks, zero-length
// segments, vertexless polylines and, now and then, NaN, infinite and huge
// coordinates; entities in shuffled order with reversed directions. Blocks
// and bulges are then resolved as the reader does, and polylines whose
// vertices carry arc edges (open and closed) are added as the accurate
// geometry hands them to linking. The same seed gives the same drawing.
void FeedRandomDrawing(uint32_t seed, int parts, Test_CreationClass& collector);
