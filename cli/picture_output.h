// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "options.h"
#include "shape_reading.h"

// Draws the shapes as the window's Drawing page does, fitted into the
// --size view, into a PNG or SVG file. False when it cannot be written.
bool WritePicture(const FileResult& result, const Options& options);
