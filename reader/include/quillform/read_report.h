// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/export.h"
#include "quillform/units.h"

#include <cstdint>
#include <string>
#include <vector>

// Something a read noticed and counted instead of failing: entities it could
// not use, input it had to mend. Warnings never change the results; they say
// why a result may not be what the drawing meant.
struct TReadWarning {
    std::string code;  // stable identifier, as in the JSON output
    std::string layer; // the layer it concerns, or empty for the whole drawing
    int64_t count = 0;
    double value = 0;   // a figure it gives, such as a suggested distance
    std::string detail; // what the sentence says of this drawing in particular
};

// One vertex of a chain that did not close, with the edge that leaves it.
struct TChainVertex {
    double x = 0, y = 0;
    bool isArc = false;
    double centerX = 0, centerY = 0, radius = 0;
    bool clockwise = false;
};

// A chain that did not close, as linking left it (before it was dropped,
// kept or stopped the read): its first vertex to its last.
struct TOpenChain {
    std::string layer;
    std::vector<TChainVertex> vertices;

    int64_t Edges() const {
        return vertices.empty() ? 0 : static_cast<int64_t>(vertices.size()) - 1;
    }
    // The distance between its two loose ends.
    double Gap() const;
};

// Loose ends of two different open chains that lie close together: often
// the linking distance is just too small to join them.
struct TNearMiss {
    size_t chain = 0, otherChain = 0;         // indexes into openChains
    bool atLast = false, otherAtLast = false; // which end of each (first or last vertex)
    double distance = 0;
};

// Content of a kind the reader did not use, counted by entity type.
struct TIgnoredContent {
    std::string type; // DXF entity name, or what of an entity was not applied
    int64_t count = 0;
    std::string hint; // what would change that ("--accurate would use them"), or empty
};

// What one read reports besides its shapes. Valid from the end of a read
// (already inside OnReadDone) until the next read starts.
struct TReadReport {
    // In order of first occurrence; one entry per code and layer.
    std::vector<TReadWarning> warnings;
    // The drawing's length unit, from its header.
    TDrawingUnit unit;
    // In the order linking met them.
    std::vector<TOpenChain> openChains;
    std::vector<TNearMiss> nearMisses;
    // In order of first occurrence.
    std::vector<TIgnoredContent> ignored;

    QUILLFORM_EXPORT void Warn(const std::string& code, const std::string& layer = std::string(),
                               int64_t count = 1);
    QUILLFORM_EXPORT void Ignore(const std::string& type, const std::string& hint = std::string());
    void Clear() { *this = TReadReport(); }
};

// The sentence a user reads for a warning, in English, names as UTF-8.
QUILLFORM_EXPORT std::string WarningText(const TReadWarning& warning);
