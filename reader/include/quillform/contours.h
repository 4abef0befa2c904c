// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/diagnostics.h"
#include "quillform/events.h"
#include "quillform/export.h"
#include "quillform/outline.h"
#include "quillform/settings.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quillform {

// One linked contour, before classification: its vertices in order, each
// with the edge that leaves it (a closed contour's last vertex leads back to
// its first; an open one kept by the open mode has its ends apart).
struct Contour {
    std::string layer;      // UTF-8
    std::string layerBytes; // as the file holds it
    std::vector<Vertex> vertices;
};

// The contours of one read (a developer's view of linking), and what the
// read noticed besides them.
struct Contours : Diagnostics {
    std::string file;
    int32_t status = 0; // the reader's status bits, without stLinkingFailed
    std::vector<Contour> contours;
};

// Reads the file (its path taken byte for byte) as ReadDrawing does, up to
// and including linking.
QUILLFORM_EXPORT Contours ReadContours(const std::filesystem::path& path,
                                       const Settings& settings = Settings(),
                                       const EntityEvents& events = EntityEvents());

} // namespace quillform
