// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "expand/curves/fitted_chain.h"

namespace quillform::detail {

// Makes each edge start where the one before ends (bitwise), drops edges of no length, and
// joins consecutive straight edges on one line and consecutive arcs of one circle. A run of
// arcs of one circle is split into equal arcs of at most half a turn, so that a full circle
// comes out as two half circles. Nothing moves by more than a ten-thousandth of the tolerance.
void TidyChain(TFittedChain& chain, double tolerance);

} // namespace quillform::detail
