// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "cut_parts.h"

#include <nlohmann/json.hpp>

namespace quillform::detail {

// The properties of a part's Feature: its layer and its number in the
// layer (from 0, as the listing's "SHAPE # 0"). The part's measures belong
// here too, each a member of its own.
nlohmann::ordered_json PartProperties(const CutPart& part);

} // namespace quillform::detail
