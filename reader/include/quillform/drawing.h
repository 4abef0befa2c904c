// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/diagnostics.h"
#include "quillform/events.h"
#include "quillform/export.h"
#include "quillform/finding.h"
#include "quillform/outline.h"
#include "quillform/settings.h"
#include "quillform/unit_conversion.h"
#include "quillform/units.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class TDXFQuillform;

// The reader in one call: a drawing's parts as plain values that live as
// long as the caller keeps them. The same read as TDXFQuillform's (the same
// pipeline, the same results); for the event-by-event interface use that
// class.
namespace quillform {

// One read: its shapes by layer, and what it noticed besides them (the
// Diagnostics it is made of).
struct Drawing : Diagnostics {
    std::string file;
    int32_t status = 0; // the reader's status bits (quillform/status.h)
    std::vector<Layer> layers;
    Unit lengths;  // the unit its lengths are written in: its own, unless converted
    Bounds bounds; // of every shape; all zero when there is none
    bool hasShapes = false;
    // What the preflight check found (quillform/check.h); empty unless a
    // front end asked for it.
    std::vector<Finding> findings;

    // Whether the file was read as a drawing (it may still hold no shapes).
    QUILLFORM_EXPORT bool Read() const;
};

// Reads the file (its path taken byte for byte) with the settings; the
// entity events, if given, are raised while it is parsed.
QUILLFORM_EXPORT Drawing ReadDrawing(const std::filesystem::path& path,
                                     const Settings& settings = Settings(),
                                     const EntityEvents& events = EntityEvents());

// Everything a reader holds about its read: call inside OnReadDone.
QUILLFORM_EXPORT Drawing CopyDrawing(const TDXFQuillform& reader);

} // namespace quillform
