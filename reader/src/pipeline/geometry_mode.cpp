// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "pipeline/geometry_mode.h"

namespace quillform::detail {

std::unique_ptr<TGeometryMode> MakeGeometryMode(const quillform::Settings& settings) {
    if (settings.accurate)
        return MakeAccurateGeometry();
    return MakeLiteralGeometry();
}

} // namespace quillform::detail
