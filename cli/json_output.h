// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "options.h"
#include "shape_reading.h"

#include <nlohmann/json.hpp>

// The shapes of one file with structure: file, settings, status, and layers
// with their shapes, vertices and arc edges, circles, bounds and holes.
nlohmann::ordered_json ResultToJson(const FileResult& result, const Options& options);
