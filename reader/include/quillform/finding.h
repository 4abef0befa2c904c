// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/outline.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quillform {

enum class Severity : int32_t { Info = 0, Warning = 1, Error = 2 };

// Something that will go wrong on the cutting machine, and where: what a
// preflight check (quillform/check.h) finds in a drawing's values.
struct Finding {
    std::string code; // stable identifier ("openChain", "smallHole", ...)
    Severity severity = Severity::Info;
    std::string layer;           // UTF-8; empty when it concerns the whole drawing
    std::optional<int64_t> part; // the part's number within its layer, when one is concerned
    Point location;              // in the drawing's coordinates
    std::optional<double> value; // what was measured, when something was
    std::optional<double> limit; // what it was held against
    std::string message;         // what is wrong and what to do, in English
};

} // namespace quillform
