// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/events.h"

// Reads a DXF file only for its entity events, without building shapes.
// False when the file cannot be opened (no event is raised then).
bool ReadEntities(const wchar_t* fileName, const TEntityEvents& events);
