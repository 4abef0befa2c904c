// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/curves/ellipse_arc.h"

#include "expand/curves/biarc_fitting.h"
#include "expand/curves/chain_deviation.h"
#include "expand/curves/plane_math.h"

#include <algorithm>
#include <cmath>

namespace quillform::detail {

using namespace curve_math;

namespace {

// Tolerances are kept above this share of the ellipse's size: below it rounding in the
// coordinates themselves is larger than the tolerance.
constexpr double kFinestTolerance = 1e-9;
// Axes this close to equal length make a circle: the fit then gives arcs of that very circle.
constexpr double kCircleRatio = 1e-12;
// A map squashing the circle flatter than this makes it a line walked there and back: no
// outline at all.
constexpr double kFlatRatio = 1e-12;
// Parameters written a whole turn apart but for rounding make the full ellipse.
constexpr double kWholeTurn = 1e-12;

// The ellipse walked by travel s in [0, sweep] from the start parameter.
class TEllipseCurve : public TParametricCurve {
public:
    explicit TEllipseCurve(const TEllipseArc& e)
        : e_(e), minor_(e.ratio * Perp(e.majorAxis)), direction_(e.clockwise ? -1.0 : 1.0) {}

    TCurveSample Evaluate(double s, bool) const override {
        const double t = e_.startParam + direction_ * s;
        const double c = std::cos(t), sn = std::sin(t);
        return {e_.center + c * e_.majorAxis + sn * minor_,
                direction_ * (c * minor_ - sn * e_.majorAxis)};
    }
    int PiecesBetween(double, double) const override { return 1; }
    double Extent() const override { return 2 * Length(e_.majorAxis) * std::max(1.0, e_.ratio); }

private:
    TEllipseArc e_;
    TPoint2D minor_;
    double direction_;
};

// The travel from start to end in the arc's direction, in (0, 2 pi].
double Sweep(const TEllipseArc& e) {
    double sweep =
        std::fmod(e.clockwise ? e.startParam - e.endParam : e.endParam - e.startParam, 2 * kPi);
    if (sweep <= 0)
        sweep += 2 * kPi;
    return sweep >= (1 - kWholeTurn) * 2 * kPi ? 2 * kPi : sweep;
}

bool IsUsable(const TEllipseArc& e) {
    return IsFinite(e.center) && IsFinite(e.majorAxis) && Length(e.majorAxis) > 0 &&
           std::isfinite(e.ratio) && e.ratio > 0 && std::isfinite(e.startParam) &&
           std::isfinite(e.endParam);
}

double Size(const TEllipseArc& e) {
    return Length(e.majorAxis) * std::max(1.0, e.ratio);
}

// Quarter turns at most, so the first biarcs already hug the curve.
std::vector<double> QuarterBreaks(double sweep) {
    const int count = std::max(1, static_cast<int>(std::ceil(sweep / kHalfPi - 1e-9)));
    std::vector<double> breaks;
    for (int i = 0; i < count; ++i)
        breaks.push_back(sweep * i / count);
    breaks.push_back(sweep);
    return breaks;
}

double ToRadians(double degrees) {
    return degrees * kPi / 180;
}

} // namespace

TPoint2D EllipsePoint(const TEllipseArc& e, double param) {
    return e.center + std::cos(param) * e.majorAxis +
           std::sin(param) * (e.ratio * Perp(e.majorAxis));
}

TFittedChain FitEllipse(const TEllipseArc& ellipse, double tolerance, bool* overEdgeLimit) {
    if (!IsUsable(ellipse))
        return {};
    const double size = Size(ellipse);
    const double sweep = Sweep(ellipse);
    TCurveFitRequest request;
    request.breaks = QuarterBreaks(sweep);
    request.closed = sweep == 2 * kPi;
    request.tolerance = std::isfinite(tolerance)
                            ? std::clamp(tolerance, kFinestTolerance * size, size)
                            : kFinestTolerance * size;
    request.overEdgeLimit = overEdgeLimit;
    return FitCurve(TEllipseCurve(ellipse), request);
}

double EllipseDeviation(const TFittedChain& chain, const TEllipseArc& ellipse) {
    if (!IsUsable(ellipse))
        return HUGE_VAL;
    return ChainDeviation(chain, TEllipseCurve(ellipse), 0, Sweep(ellipse));
}

TEllipseArc EllipseFromMappedArc(TPoint2D center, double radius, double startAngleDeg,
                                 double endAngleDeg, bool clockwise, const TAffineMap& map) {
    // The circle's image: centre' + u cos a + v sin a, u and v the images of the radius along
    // x and y. Its axes lie where |u cos a + v sin a| is greatest and least.
    const TPoint2D u = radius * TPoint2D(map.xx, map.yx);
    const TPoint2D v = radius * TPoint2D(map.xy, map.yy);
    double a0 = 0.5 * std::atan2(2 * Dot(u, v), Dot(u, u) - Dot(v, v));
    TPoint2D major = std::cos(a0) * u + std::sin(a0) * v;
    const TPoint2D minor = std::cos(a0) * v - std::sin(a0) * u;
    double ratio = Length(major) > 0 ? Length(minor) / Length(major) : 0;
    if (ratio <= kFlatRatio)
        ratio = 0;
    if (std::abs(ratio - 1) <= kCircleRatio) {
        ratio = 1;
        a0 = 0;
        major = u;
    }
    TEllipseArc ellipse;
    ellipse.center = TPoint2D(map.xx * center.X + map.xy * center.Y + map.offset.X,
                              map.yx * center.X + map.yy * center.Y + map.offset.Y);
    ellipse.majorAxis = major;
    ellipse.ratio = radius > 0 ? ratio : 0;
    // A mirroring map turns the circle's counter-clockwise into the ellipse's clockwise:
    // parameter t = a - a0 becomes t = a0 - a.
    const double mirror = Cross(u, v) < 0 ? -1.0 : 1.0;
    ellipse.startParam = mirror * (ToRadians(startAngleDeg) - a0);
    ellipse.endParam = mirror * (ToRadians(endAngleDeg) - a0);
    ellipse.clockwise = (mirror < 0) != clockwise;
    return ellipse;
}

} // namespace quillform::detail
