// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <string>

// Writes the drawings the benchmark reads, as plain ASCII DXF.
//
// "sheet": a nest of N parts on a grid, each outline one of LINE+ARC
// (rounded rectangle), closed LWPOLYLINE with bulges, POLYLINE hexagon,
// open LWPOLYLINE closed by an ARC, or CIRCLE; 0-4 holes (circles, squares
// of loose lines, slots), some holes with an island; 20 % of the parts as
// rotated INSERTs of blocks; entity order shuffled, directions mixed.
//
// The hard cases: "squares" (N squares of 4 shuffled loose lines, one
// layer), "plates" (N plates with 8 circle holes), "layers" (one circle on
// each of N layers), "polyline" (an open polyline of N vertices closed by
// one line), "ring" (a ring of N shuffled loose lines), "holes" (one plate
// with N square holes), "coincident" (N lines on one segment).
//
// Returns false for an unknown kind or a file that cannot be written.
bool WriteDrawing(const std::string& kind, int32_t n, uint32_t seed, const std::string& path);
