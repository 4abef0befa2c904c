// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/diagnostics.h"

#include <string>

namespace quillform::detail {

// The sentence a user reads for a warning, in English; its layer is UTF-8.
std::string WarningText(const quillform::Warning& warning);

// Ends a read's diagnostics: the layers, named by the file's bytes while the
// read ran, become UTF-8, and every warning gets its sentence.
void FinishDiagnostics(quillform::Diagnostics& diagnostics);

} // namespace quillform::detail
