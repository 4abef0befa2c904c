// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/curves/biarc.h"

#include "expand/curves/plane_math.h"
#include "model/geometry_constants.h"

#include <algorithm>
#include <cmath>

namespace quillform::detail {

using namespace curve_math;

namespace {

// Sines below this make a tangent and a chord one line: an arc that flat bulges less than a
// billionth of its chord, and joints stay tangent to about that angle.
constexpr double kCollinearSine = 1e-9;
// The joint is kept this share of the joint circle away from either end, so neither arc of
// the biarc shrinks to nothing.
constexpr double kJointMargin = 0.05;
// The second arc must arrive along the end tangent to this angle, or the biarc is refused
// (rounding in an ill-conditioned joint circle).
constexpr double kArrivalAngle = 1e-8;

double CounterClockwiseAngle(double a, double b) {
    double sweep = std::fmod(b - a, 2 * kPi);
    return sweep < 0 ? sweep + 2 * kPi : sweep;
}

double AngleAround(TPoint2D center, TPoint2D p) {
    return std::atan2(p.Y - center.Y, p.X - center.X);
}

// The arc leaving a along `tangent` that reaches b, or a straight edge when the tangent points
// along the chord. Sets the direction of arrival at b.
bool TangentArc(TPoint2D a, TPoint2D tangent, TPoint2D b, TFittedEdge& edge, TPoint2D& arrival) {
    const TPoint2D chord = b - a;
    const double length = Length(chord);
    if (!(length > 0))
        return false;
    const TPoint2D along = (1 / length) * chord;
    const double sine = Cross(tangent, along);
    const double cosine = Dot(tangent, along);
    edge.start = a;
    edge.end = b;
    if (std::abs(sine) <= kCollinearSine) {
        edge.isArc = false;
        arrival = along;
        return cosine > 0;
    }
    // The arc turns through twice the angle between tangent and chord; at most a quarter turn.
    if (2 * std::atan2(std::abs(sine), cosine) > kHalfPi)
        return false;
    const double curvature = 2 * sine / length;
    edge.isArc = true;
    edge.radius = 1 / std::abs(curvature);
    edge.center = a + (1 / curvature) * Perp(tangent);
    edge.clockwise = curvature < 0;
    arrival = 2 * cosine * along - tangent;
    return IsFinite(edge.center);
}

// Where the two arcs meet. The joints of all biarcs fitting the two end tangents lie on one
// circle through both ends (a line when the tangents are parallel); take its point nearest to
// the curve's own middle.
TPoint2D JointPoint(const TCurveNode& from, const TCurveNode& to, TPoint2D middle) {
    const TPoint2D chord = to.point - from.point;
    const double length = Length(chord);
    const TPoint2D along = (1 / length) * chord;
    // The joint circle leaves the start along the start tangent plus the end tangent mirrored
    // in the chord.
    const TPoint2D leaving = from.tangent + (2 * Dot(to.tangent, along) * along - to.tangent);
    if (!(Length(leaving) > kCollinearSine))
        return {NAN, NAN};
    const TPoint2D normal = Perp(Unit(leaving));
    const double offset = Dot(chord, normal);
    if (std::abs(offset) <= kCollinearSine * length) {
        const double f = std::clamp(Dot(middle - from.point, chord) / (length * length),
                                    kJointMargin, 1 - kJointMargin);
        return from.point + f * chord;
    }
    const double signedRadius = length * length / (2 * offset);
    const TPoint2D center = from.point + signedRadius * normal;
    const bool counterClockwise = signedRadius > 0;
    const double a0 = AngleAround(center, from.point);
    const double a1 = AngleAround(center, to.point);
    const double am = AngleAround(center, middle);
    const double sweep =
        counterClockwise ? CounterClockwiseAngle(a0, a1) : CounterClockwiseAngle(a1, a0);
    double reach = counterClockwise ? CounterClockwiseAngle(a0, am) : CounterClockwiseAngle(am, a0);
    if (reach > sweep)
        reach = reach - sweep < 2 * kPi - reach ? sweep : 0;
    const double f = sweep > 0 ? std::clamp(reach / sweep, kJointMargin, 1 - kJointMargin) : 0.5;
    const double angle = a0 + (counterClockwise ? f : -f) * sweep;
    return center + std::abs(signedRadius) * TPoint2D(std::cos(angle), std::sin(angle));
}

bool IsStraight(const TCurveNode& from, const TCurveNode& to, TPoint2D along) {
    return std::abs(Cross(from.tangent, along)) <= kCollinearSine &&
           std::abs(Cross(to.tangent, along)) <= kCollinearSine && Dot(from.tangent, along) > 0 &&
           Dot(to.tangent, along) > 0;
}

} // namespace

bool MakeBiarc(const TCurveNode& from, const TCurveNode& to, TPoint2D middle, TBiarc& biarc) {
    const TPoint2D chord = to.point - from.point;
    const double length = Length(chord);
    if (!(length > 0) || !std::isfinite(length))
        return false;
    if (IsStraight(from, to, (1 / length) * chord)) {
        biarc.edges[0] = StraightEdge(from.point, to.point);
        biarc.count = 1;
        return true;
    }
    const TPoint2D joint = JointPoint(from, to, middle);
    if (!IsFinite(joint))
        return false;
    TPoint2D jointTangent, arrival;
    if (!TangentArc(from.point, from.tangent, joint, biarc.edges[0], jointTangent) ||
        !TangentArc(joint, jointTangent, to.point, biarc.edges[1], arrival))
        return false;
    biarc.count = 2;
    return std::abs(TurnAngle(arrival, to.tangent)) <= kArrivalAngle;
}

} // namespace quillform::detail
