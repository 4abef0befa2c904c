// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Findings that come from what the read noticed: chains that did not
// close, text, tiny and overlapping entities, and the drawing's unit.
#include "check/check_context.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace quillform::detail {

namespace {
void CheckOpenChains(TCheckContext& c) {
    for (const OpenChain& chain : c.drawing.openChains)
        c.Add("openChain", Severity::Error, chain.layer, std::nullopt, chain.first,
              "a chain of " + std::to_string(chain.edges) + " edges does not close: its ends " +
                  Place(chain.first) + " and " + Place(chain.last) + " lie " + Figure(chain.gap) +
                  " apart; join them in the drawing (or link with a distance above the gap)",
              chain.gap);
}

bool HasShapes(const Drawing& d, const std::string& name) {
    return std::any_of(d.layers.begin(), d.layers.end(),
                       [&](const Layer& l) { return l.name == name && !l.shapes.empty(); });
}

bool IsRead(const Drawing& d, const std::string& name) {
    return std::any_of(d.layers.begin(), d.layers.end(),
                       [&](const Layer& l) { return l.name == name; });
}

// Accurate geometry merged the layer's overlaps before linking: the parts
// are right, the drawing still is not.
bool Merged(const Drawing& d, const std::string& layer) {
    return std::any_of(d.warnings.begin(), d.warnings.end(), [&](const Warning& w) {
        return w.code == "overlapsMerged" && w.layer == layer;
    });
}

void CheckNote(const EntityNote& note, TCheckContext& c) {
    const std::string count = std::to_string(note.count);
    if (note.code == "text" && HasShapes(c.drawing, note.layer))
        c.Add("textNotOutlined", Severity::Warning, note.layer, std::nullopt, note.location,
              count + " text entit" + (note.count == 1 ? "y" : "ies") +
                  " on a layer of parts will not be cut; turn the text into outlines, or move "
                  "it to a layer that is not cut",
              static_cast<double>(note.count));
    else if (note.code == "tinyEntities")
        c.Add("tinyEntities", Severity::Info, note.layer, std::nullopt, note.location,
              count + " line" + (note.count == 1 ? "" : "s") +
                  ", arcs or circles of no length; delete them",
              static_cast<double>(note.count));
    else if (note.code == "overlappingEdges")
        c.Add("overlappingEdges", Severity::Warning, note.layer, std::nullopt, note.location,
              count + " run" + (note.count == 1 ? "" : "s") +
                  " of overlapping edges: a length of " + Figure(note.value) +
                  (Merged(c.drawing, note.layer)
                       ? " is drawn twice; merged here into one edge, but other programs "
                         "will cut it twice: delete the doubled lines and arcs"
                       : " would be cut twice; delete the doubled lines and arcs (--accurate "
                         "merges them)"),
              note.value);
}

// A part's size in millimetres is plausible within these bounds (a washer,
// a plate as long as the longest sheets).
bool Plausible(double millimetres) {
    return millimetres >= 2 && millimetres <= 12000;
}

// Of the common units other than the drawing's, the one that makes the
// largest part plausible and closest to a typical part (100 mm); empty
// when none does.
std::optional<std::pair<const char*, double>> FittingUnit(double largest, const Unit& unit) {
    std::optional<std::pair<const char*, double>> best;
    const auto off = [&](double mm) { return std::fabs(std::log(largest * mm / 100)); };
    const std::pair<const char*, double> units[] = {{"mm", 1}, {"in", 25.4}, {"pt", 25.4 / 72}};
    for (const auto& candidate : units)
        if (candidate.first != unit.name && Plausible(largest * candidate.second) &&
            (!best || off(candidate.second) < off(best->second)))
            best = candidate;
    return best;
}

void CheckUnit(TCheckContext& c) {
    const Drawing& d = c.drawing;
    if (!d.hasShapes)
        return;
    const Point where{d.bounds.minX, d.bounds.minY};
    if (!d.lengths.Known()) {
        c.Add("unitsUnknown", Severity::Info, std::string(), std::nullopt, where,
              "the drawing does not say its unit; make sure the cutting service reads it in "
              "the unit it was drawn in");
        return;
    }
    double largest = 0;
    for (const Layer& layer : d.layers)
        for (const Shape& s : layer.shapes)
            largest =
                std::max({largest, s.bounds.maxX - s.bounds.minX, s.bounds.maxY - s.bounds.minY});
    const double asRead = largest * d.lengths.millimetres;
    if (Plausible(asRead))
        return;
    const auto fits = FittingUnit(largest, d.lengths);
    if (!fits)
        return;
    const auto& [name, mm] = *fits;
    c.Add("unitsSuspect", Severity::Warning, std::string(), std::nullopt, where,
          "the largest part measures " + Figure(asRead) + " mm in the drawing's unit (" +
              d.lengths.name + "), " + Figure(largest * mm) + " mm if drawn in " + name +
              "; check the unit the drawing was made in, and set it in its header",
          asRead, std::nullopt);
}
} // namespace

void CheckDrawingWide(TCheckContext& c) {
    CheckUnit(c);
    CheckOpenChains(c);
    for (const EntityNote& note : c.drawing.entityNotes)
        if (IsRead(c.drawing, note.layer))
            CheckNote(note, c);
}

} // namespace quillform::detail
