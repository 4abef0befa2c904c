// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "options.h"
#include "shape_reading.h"

#include <string>

// Why the shapes inside overall cannot be drawn into a view of the given
// size (an extent that is not finite, or no finite scale fits it), or empty.
std::string PictureProblem(const TBoundingBox& overall, int viewWidth, int viewHeight);

// Draws the shapes as the window's Drawing page does, fitted into the
// --size view, into a PNG or SVG file, which replaces the target only once
// it is complete. False, with the reason in *error, when it cannot be written.
bool WritePicture(const FileResult& result, const Options& options, std::string* error);
