// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/cut_files.h"

#include <optional>
#include <string>
#include <vector>

// What the cutting files hold, gathered once from a drawing: its parts in
// the listing's order, the open chains to write, and what was left out.
namespace quillform::detail {

struct CutPart {
    const Layer* layer = nullptr;
    size_t number = 0; // within its layer, as the listing numbers it
    // The outline; null when it is an open chain (open mode 1 keeps those as
    // shapes): the part then has no closed outline.
    const Outline* outline = nullptr;
    std::vector<const Outline*> holes;  // the closed ones
    std::vector<const OpenChain*> open; // its outline or holes that are open chains
    Bounds bounds;                      // exact, of all its contours
};

struct CutContent {
    CutContent() = default;
    CutContent(const CutContent&) = delete;
    CutContent& operator=(const CutContent&) = delete;

    const Drawing* drawing = nullptr; // the drawing, or `converted`
    std::optional<Drawing> converted; // when the output unit is another
    std::vector<CutPart> parts;
    std::vector<const OpenChain*> openChains; // written when asked
    std::vector<Warning> warnings;
    Bounds bounds; // of everything written; all zero when nothing is
    bool empty = true;
};

// Fills `content` from the drawing in the unit named (empty: the unit its
// lengths are in). False, with the reason in *error, when the unit cannot
// be converted to.
bool GatherParts(const Drawing& drawing, const std::string& unitName, bool openChains,
                 CutContent& content, std::string* error);

// The unit the content's lengths are in.
const Unit& ContentUnit(const CutContent& content);

// The message of a warning about a part ("SHAPE # 3 of layer PLATE ...").
std::string PartName(const CutPart& part);

} // namespace quillform::detail
