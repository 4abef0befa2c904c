// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/drawing.h"

#include <string>

// A drawing as bytes and back, every member kept exactly: how a Drawing is
// pickled, so that worker processes can hand theirs to the caller.
std::string SaveDrawing(const quillform::Drawing& drawing);
// Throws std::invalid_argument when bytes are not what SaveDrawing wrote.
quillform::Drawing LoadDrawing(const std::string& bytes);
