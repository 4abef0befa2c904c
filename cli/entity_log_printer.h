// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/events.h"

#include <cstdio>

// Event slots that print one entity-log line per event to the given stream.
TEntityEvents EntityLogPrinter(std::FILE* stream);
