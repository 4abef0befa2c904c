// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// quillform-make-drawing KIND N OUT.dxf [SEED]: writes one benchmark drawing.
#include "sheet_writer.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(
            stderr,
            "usage: %s sheet|squares|plates|layers|polyline|ring|holes|coincident N OUT.dxf "
            "[SEED]\n",
            argv[0]);
        return 2;
    }
    const auto seed = static_cast<uint32_t>(argc > 4 ? std::strtoul(argv[4], nullptr, 10) : 1);
    if (!WriteDrawing(argv[1], std::atoi(argv[2]), seed, argv[3])) {
        std::fprintf(stderr, "%s: cannot write %s %s to %s\n", argv[0], argv[1], argv[2], argv[3]);
        return 1;
    }
    return 0;
}
