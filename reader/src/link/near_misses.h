// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/diagnostics.h"

#include <vector>

namespace quillform::detail {

// For each loose end of the open chains, the nearest loose end of another
// chain no farther than `within`, each pair once, nearest first.
std::vector<quillform::NearMiss> FindNearMisses(const std::vector<quillform::OpenChain>& chains,
                                                double within);

} // namespace quillform::detail
