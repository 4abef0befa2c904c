// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "collect/collector.h"

#include "quillform/read_report.h"

// The size of the drawing: the longer side of the box around every
// model-space entity (circles and arcs with their full circles); 0 when
// there is none.
double DrawingSize(const Test_CreationClass& lists);

// Removes, before linking, every segment, arc, circle and closed polyline
// that repeats an earlier one of the same layer: the same ends (either way
// round, for an arc with the direction reversed), the same centre and
// radius, the same vertices and edges (from any vertex, either way round),
// within the tolerance. The first of each stays. Counted per layer in the
// report ("duplicates").
void RemoveDuplicates(Test_CreationClass& lists, double tolerance, TReadReport& report);
