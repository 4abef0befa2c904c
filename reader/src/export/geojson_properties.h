// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "cut_parts.h"

#include <nlohmann/json.hpp>

namespace quillform::detail {

// The properties of a part's Feature: its layer and its number in the
// layer (from 0, as the listing's "SHAPE # 0"), then its measures, the
// whole shape's (holes the file leaves out included), in the file's unit.
nlohmann::ordered_json PartProperties(const CutPart& part);

} // namespace quillform::detail
