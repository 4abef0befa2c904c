// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>

// Bits of the reader's status word.
enum : int32_t {
    stReadError = 0x02,       // the file cannot be opened
    stNoStartEntity = 0x04,   // linking found nothing to start a contour from
    stOpenContour = 0x08,     // a chain did not close under open-contour mode 2
    stLinkingFailed = 0x20,   // linking left a bit set: no shapes are built
    stNotDrawing = 0x40,      // the file opened but holds no DXF drawing: no layers
    stTruncated = 0x80,       // the file ends before its EOF marker; read as far as it goes
    stOutOfMemory = 0x100,    // memory ran out: the read failed, no shapes
    stExpansionLimit = 0x200, // inserts would produce more entities than allowed: no shapes
    stBadSettings = 0x400,    // the settings were refused (quillform::SettingsProblem): no read
};

namespace quillform {
// Open-contour modes of linking: what happens to a chain that does not close.
enum : int32_t {
    kDropOpenContours = 0,
    kKeepOpenContours = 1,
    kStopOnOpenContour = 2,
};
} // namespace quillform
