// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "geojson_properties.h"

namespace quillform::detail {

nlohmann::ordered_json PartProperties(const CutPart& part) {
    nlohmann::ordered_json properties;
    properties["layer"] = part.layer->name;
    properties["part"] = part.number;
    return properties;
}

} // namespace quillform::detail
