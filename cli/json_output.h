// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "options.h"

#include "quillform/drawing.h"

#include <nlohmann/json.hpp>

// The shapes of one file with structure: file, settings, status, units, and
// layers with their shapes, vertices and arc edges, circles, bounds and
// holes, the figures of every shape and hole and the totals of every layer
// and of the file; warnings, unused content, open chains and near misses
// when there are any.
nlohmann::ordered_json ResultToJson(const quillform::Drawing& drawing, const Options& options);

// {"minX", "minY", "maxX", "maxY"}, as every box of the document is written.
nlohmann::ordered_json BoundsJson(const quillform::Bounds& box);
