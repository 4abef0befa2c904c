// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/outline.h"
#include "quillform/shape_records.h"

#include <vector>

namespace quillform::detail {

// The layers of a read as values, exactly as the reader's queries give
// them: in order, each with the shapes that a query by its name finds (the
// first layer of that name), polygons with their vertices and arc edges,
// circles with centre and radius, each with the box the queries report.
std::vector<Layer> LayerValues(const TLayers& layers);

} // namespace quillform::detail
