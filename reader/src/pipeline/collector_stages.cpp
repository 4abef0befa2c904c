// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The stages after parsing, offered as members of the collector: each runs
// the stage's own function on the collector's lists.
#include "collect/collector.h"
#include "expand/bulge_explosion.h"
#include "link/reference_linker.h"

void Test_CreationClass::ExplodeBulgedPolylines(double tolerance) {
    quillform::detail::ExplodeBulgedPolylines(*this, tolerance);
}

bool Test_CreationClass::LinkContours(TLista* outList, int32_t* status, double linkingDistance,
                                      int32_t openContourMode, bool mixLayers) {
    return quillform::detail::LinkContours(
        *this, outList, status,
        quillform::detail::TLinkOptions{linkingDistance, openContourMode, mixLayers});
}
