// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "options.h"
#include "quillform/drawing.h"

#include <string>

enum class PictureResult { Written, Impossible, Failed };

// Draws the shapes as the window's Drawing page does, fitted into the
// --size view, into a PNG or SVG file, which replaces the target only once
// it is complete. Impossible (the drawing's extent cannot be drawn at that
// size) and Failed (the picture writer is missing, or the picture cannot be
// made or written) come with the reason in *error.
PictureResult WritePicture(const quillform::Drawing& drawing, const Options& options,
                           std::string* error);
