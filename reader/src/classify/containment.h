// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "classify/split_outline.h"

namespace quillform::detail {

// The pairwise containment tests of classification, shared by both engines
// so that each pair is decided by the same arithmetic.

// Every vertex within radius + tolerance of the circle's centre.
bool VerticesWithinCircle(const TDXFPolygon& contour, const TDXFCircle& circle);
// No vertex of the contour closer than radius + tolerance to the circle's
// centre, and the centre inside the contour's outline.
bool CircleInsideOutline(const TDXFCircle& circle, const TDXFPolygon& contour,
                         const TSplitOutline& outline);
// Strict: centre distance below outer radius minus inner radius.
bool CircleInsideCircle(const TDXFCircle& inner, const TDXFCircle& outer);
// The hole test of an outer circle: centre distance below |R - r|.
bool CircleHoleOfCircle(const TDXFCircle& outer, const TDXFCircle& candidate);

} // namespace quillform::detail
