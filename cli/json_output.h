// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "json_stream.h"
#include "options.h"

#include "quillform/drawing.h"

#include <nlohmann/json.hpp>

#include <string>

// The shapes of one file with structure: file, settings, status, units, and
// layers with their shapes, vertices and arc edges, circles, bounds and
// holes, the figures of every shape and hole and the totals of every layer
// and of the file; warnings, unused content, open chains and near misses
// when there are any; error last when one is given. Written to out shape by
// shape, so that the document is never held whole.
void WriteResultJson(JsonStream& out, const quillform::Drawing& drawing, const Options& options,
                     const std::string& error = std::string());

// {"minX", "minY", "maxX", "maxY"}, as every box of the document is written.
nlohmann::ordered_json BoundsJson(const quillform::Bounds& box);
