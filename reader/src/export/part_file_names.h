// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quillform::detail {

struct PartFileName {
    std::string layer; // the layer's name (UTF-8)
    size_t number = 0; // the part's number in its layer
};

// The file names STEM-LAYER-N.dxf of parts, in their order: safe on common
// file systems (no path separators, control or reserved characters, no
// leading dot, valid UTF-8, at most 255 bytes) and distinct even where
// case is not told apart; a name already given gets ~2, ~3, ... before
// its extension.
std::vector<std::string> PartFileNames(const std::string& stem,
                                       const std::vector<PartFileName>& parts);

// Text made safe as a piece of a file name, at most maxBytes long (never
// cutting a character in two); empty text stays empty.
std::string SafeFileNamePiece(const std::string& utf8, size_t maxBytes);

} // namespace quillform::detail
