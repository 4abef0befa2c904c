// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/shape_records.h"

#include <memory>

namespace quillform::detail {

// Where a finished part goes instead of its layer's list of records: a
// caller that only wants the part's value makes it at once and frees the
// record, so that the records of a large drawing are never all held beside
// the contours still to be classified.
class TPartSink {
public:
    virtual ~TPartSink() = default;
    // The part is filed under layer (the first layer of its name).
    virtual void Take(const TLayer& layer, std::unique_ptr<part2d_any> part) = 0;
};

} // namespace quillform::detail
