// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/diagnostics.h"
#include "quillform/events.h"
#include "quillform/lista.h"
#include "quillform/settings.h"

#include <cstdint>
#include <string>

// Reads a DXF file only for its entity events, without building shapes.
// False when the file cannot be opened (no event is raised then).
bool ReadEntities(const wchar_t* fileName, const TEntityEvents& events);

// Reads a DXF file (path as the file system's bytes) and links its contours
// as the reader does before classification. Appends the contours
// (TDXFPolygon, caller frees them with FreeContours) to contours and ORs
// status bits (the reader's, but for stLinkingFailed) into *status; what the
// read noticed goes into report, if given.
void ReadContours(const std::string& path, const TEntityEvents& events,
                  const quillform::Settings& settings, TLista* contours, int32_t* status,
                  quillform::Diagnostics* report = nullptr);
