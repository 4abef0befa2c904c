// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <sys/types.h>

// Whole writes and reads on a descriptor, going on after a signal
// interrupts them. False when the descriptor fails or ends first.
bool WriteAll(int fd, const char* bytes, size_t size);
bool ReadAllAt(int fd, off_t at, char* bytes, size_t size);
