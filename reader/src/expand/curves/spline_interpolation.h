// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/spline_curve.h"

namespace quillform::detail {

// The cubic B-spline (clamped knots over chord lengths scaled to [0, 1]) through the fit
// points: leaving and arriving along the given end tangents, else with no bending at an end
// that has none (natural ends). A closed or periodic spline closes on its first fit point and
// is smooth (curvature continuous) there; its end tangents are not used. A fit point repeating
// the one before counts once. Fewer than two distinct fit points, or any not finite, give a
// spline without control points.
// Done in the spline's own coordinates, so that the control points can then be carried
// through an affine map (the interpolation itself does not commute with one).
TSplineCurve SplineFromFitPoints(const TSplineCurve& spline);

} // namespace quillform::detail
