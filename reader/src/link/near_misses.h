// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/read_report.h"

#include <vector>

// For each loose end of the open chains, the nearest loose end of another
// chain no farther than `within`, each pair once, nearest first.
std::vector<TNearMiss> FindNearMisses(const std::vector<TOpenChain>& chains, double within);
