// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/events.h"

// Event slots that print one entity-log line per event on standard output.
quillform::EntityEvents EntityLogPrinter();
