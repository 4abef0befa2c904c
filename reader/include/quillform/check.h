// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/drawing.h"
#include "quillform/export.h"
#include "quillform/finding.h"

#include <optional>
#include <string>
#include <vector>

// The preflight check: what will go wrong when the drawing's parts are cut
// (open chains, crossings, double edges, holes and webs too small for the
// material, text never turned into outlines, a suspicious unit, parts larger
// than the sheet), each with where it is and what to do. Built on the values
// a read gives; a read that is not checked pays nothing for it.
namespace quillform {

// What the check holds the parts against. Lengths are in the unit the
// drawing's values are written in (Drawing::lengths).
struct CheckOptions {
    double thickness = 0;          // the sheet's; 0: not given
    std::optional<double> minHole; // smallest hole that cuts clean; default the thickness
    std::optional<double> minWeb;  // thinnest web that survives; default the thickness
    double sheetWidth = 0;         // 0: no sheet given
    double sheetHeight = 0;
    double kerf = 0; // the cut's width; 0: not given
    // The severity from which a finding fails the check (the command's exit status 5).
    Severity failOn = Severity::Error;
};

// Every finding about the drawing, layer by layer in the order of the
// drawing's layers, drawing-wide findings first.
QUILLFORM_EXPORT std::vector<Finding> Check(const Drawing& drawing,
                                            const CheckOptions& options = CheckOptions());

// Whether any finding is at least as severe as options.failOn.
QUILLFORM_EXPORT bool CheckFails(const std::vector<Finding>& findings, const CheckOptions& options);

// "error", "warning", "info", and back.
QUILLFORM_EXPORT const char* SeverityName(Severity severity);
QUILLFORM_EXPORT std::optional<Severity> SeverityNamed(const std::string& name);

// A length as users type it: a finite number >= 0, in drawing units, or
// with a suffix "mm" or "in" converted into `unit` (a suffix needs a known
// unit). Empty when the text is none of these.
QUILLFORM_EXPORT std::optional<double> LengthIn(const std::string& text, const Unit& unit);

} // namespace quillform
