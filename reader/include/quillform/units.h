// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/export.h"

#include <optional>
#include <string>

namespace quillform {

// A length unit, as a drawing's header names it ($INSUNITS, or $MEASUREMENT
// when $INSUNITS is absent).
struct Unit {
    int code = 0;                 // the $INSUNITS code; 0 when unknown
    std::string name = "unknown"; // "mm", "in", ...
    double millimetres = 0;       // one unit in millimetres; 0 when unknown

    bool Known() const { return millimetres > 0; }
};

// The unit of an $INSUNITS code; unknown (and 0) for 0 and codes without a length.
QUILLFORM_EXPORT Unit UnitOfCode(int code);
// The unit a header gives: $INSUNITS when present (0: unitless, unknown), else
// $MEASUREMENT (0 imperial: inches, 1 metric: millimetres), else unknown. A
// negative value means the variable is absent.
QUILLFORM_EXPORT Unit DrawingUnit(int insunits, int measurement);
// A unit by the short name users type ("mm", "cm", "m", "in", "ft"), if it is one.
QUILLFORM_EXPORT std::optional<Unit> UnitNamed(const std::string& name);

} // namespace quillform
