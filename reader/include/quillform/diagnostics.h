// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/export.h"
#include "quillform/outline.h"
#include "quillform/units.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What a read notices besides its shapes. The reader gathers these records
// while it reads and hands the same records to every host: the value
// reader, the facade, the command's JSON and messages, Python and the window.
namespace quillform {

// Something a read counted instead of failing: entities it could not use,
// input it had to mend. Warnings never change the results; they say why a
// result may not be what the drawing meant.
struct Warning {
    std::string code;  // stable identifier, as in the JSON output
    std::string layer; // UTF-8; empty when it concerns the whole drawing
    int64_t count = 0;
    std::string message; // an English sentence
    // What the sentence is made of besides the count and the layer: a figure
    // it gives (a suggested linking distance), what it says of this drawing.
    double value = 0;
    std::string detail;
};

// A chain of edges that did not close, first vertex to last, as linking
// left it (before it was dropped, kept or stopped the read). The last vertex
// has no arc: nothing leaves it.
struct OpenChain {
    std::string layer; // UTF-8
    std::vector<Vertex> vertices;
    int64_t edges = 0;
    Point first, last;
    double gap = 0; // between its loose ends
};

// Loose ends of two different open chains close together (often the
// linking distance is just too small to join them).
struct NearMiss {
    size_t chain = 0, otherChain = 0;         // indexes into openChains
    bool atLast = false, otherAtLast = false; // which end of each
    double distance = 0;
};

// Content of a kind the read did not use, counted by entity type.
struct Ignored {
    std::string type; // a DXF entity name, or what of an entity was not applied
    int64_t count = 0;
    std::string hint; // what would use it ("--accurate would use them"), or empty
};

// Entities worth a look before cutting, by kind and layer, with the place of
// the first: "text" (TEXT, MTEXT, ATTRIB: never cut), "tinyEntities" (lines,
// arcs and circles of no length to speak of), "overlappingEdges" (lines on
// one line, arcs on one circle, that overlap: `value` is the length drawn
// twice).
struct EntityNote {
    std::string code;
    std::string layer; // UTF-8
    Point location;
    int64_t count = 0;
    double value = 0;
};

struct Diagnostics {
    // In order of first occurrence; one entry per code and layer.
    std::vector<Warning> warnings;
    // In the order linking met them.
    std::vector<OpenChain> openChains;
    std::vector<NearMiss> nearMisses;
    // In order of first occurrence.
    std::vector<Ignored> ignored;
    // In order of first occurrence; one entry per code and layer.
    std::vector<EntityNote> entityNotes;
    // The drawing's own length unit, from its header.
    Unit unit;

    // While a read runs, layers are named by the file's bytes; the read
    // converts them to UTF-8 and writes the sentences when it ends.
    QUILLFORM_EXPORT void Warn(const std::string& code, const std::string& layer = std::string(),
                               int64_t count = 1);
    QUILLFORM_EXPORT void Ignore(const std::string& type, const std::string& hint = std::string());
    QUILLFORM_EXPORT void Note(const std::string& code, const std::string& layer, Point location,
                               int64_t count = 1, double value = 0);
};

} // namespace quillform
