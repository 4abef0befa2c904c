// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/diagnostics.h"
#include "quillform/events.h"
#include "quillform/lista.h"
#include "quillform/settings.h"
#include "quillform/shape_records.h"

#include <cstdint>
#include <string>

namespace quillform::detail {

class TPartSink;

// What a read builds: the shapes, filed under one layer per registered
// (and selected) name, or only the linked contours.
struct TReadTarget {
    TLayers* layers = nullptr;  // shapes are wanted: filed here
    TLista* contours = nullptr; // else the contours are appended here; the caller frees them
    TPartSink* sink = nullptr;  // with layers: where each part goes instead of its layer
};

// One read of the file at path (the file system's bytes): collect (the
// entity events raised while it parses) -> expand -> link -> classify. ORs
// the reader's status bits into *status (a contour read gets no
// stLinkingFailed) and records what the read noticed in diagnostics,
// finished: names in UTF-8, every warning with its sentence. Never throws:
// a read that cannot go on leaves no layers and says why in *status.
void ReadFile(const std::string& path, const Settings& settings,
              const quillform::EntityEvents& events, const TReadTarget& target, int32_t* status,
              Diagnostics& diagnostics);

// The value API's check before a read: settings that SettingsProblem
// refuses give stBadSettings and a `badSettings` warning whose detail and
// message say what is wrong, and true (nothing is read).
bool RefuseBadSettings(const Settings& settings, int32_t* status, Diagnostics& diagnostics);

} // namespace quillform::detail
