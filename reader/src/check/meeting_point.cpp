// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "check/meeting_point.h"

#include <algorithm>
#include <cmath>

namespace quillform::detail {

namespace {
constexpr double kTurn = 6.283185307179586;
// Directions closer than this (radians) count as one.
constexpr double kSameWay = 1e-9;

double TurnFrom(double from, double angle) {
    double turn = std::fmod(angle - from, kTurn);
    return turn < 0 ? turn + kTurn : turn;
}

bool Near(double a, double b) {
    const double turn = TurnFrom(a, b);
    return turn < kSameWay || turn > kTurn - kSameWay;
}
} // namespace

Point Heading(const TCheckEdge& e, Point p, bool forward) {
    double x = 0, y = 0;
    if (e.arc) {
        const double angle = std::atan2(p.y - e.center.y, p.x - e.center.x);
        const double sense = e.sweep < 0 ? -1 : 1;
        x = -std::sin(angle) * sense;
        y = std::cos(angle) * sense;
    } else {
        const double length = std::hypot(e.to.x - e.from.x, e.to.y - e.from.y);
        if (length > 0) {
            x = (e.to.x - e.from.x) / length;
            y = (e.to.y - e.from.y) / length;
        }
    }
    return forward ? Point{x, y} : Point{-x, -y};
}

bool OnEdge(const TCheckEdge& e, Point p, double tolerance) {
    if (e.arc) {
        const double off = std::hypot(p.x - e.center.x, p.y - e.center.y) - e.radius;
        if (std::fabs(off) > tolerance)
            return false;
        const double angle = std::atan2(p.y - e.center.y, p.x - e.center.x);
        const double along = e.sweep > 0 ? TurnFrom(e.start, angle) : TurnFrom(angle, e.start);
        const double margin = tolerance / e.radius;
        return along <= std::fabs(e.sweep) + margin || along >= kTurn - margin;
    }
    const double dx = e.to.x - e.from.x, dy = e.to.y - e.from.y;
    const double length2 = dx * dx + dy * dy;
    const double t =
        length2 > 0
            ? std::clamp(((p.x - e.from.x) * dx + (p.y - e.from.y) * dy) / length2, 0.0, 1.0)
            : 0;
    return std::hypot(p.x - (e.from.x + t * dx), p.y - (e.from.y + t * dy)) <= tolerance;
}

bool WaysCross(const TWays& first, const TWays& second) {
    const double a = std::atan2(first.one.y, first.one.x);
    const double b = std::atan2(first.other.y, first.other.x);
    const double c = std::atan2(second.one.y, second.one.x);
    const double d = std::atan2(second.other.y, second.other.x);
    for (const double way : {c, d})
        if (Near(way, a) || Near(way, b))
            return false;
    const double span = TurnFrom(a, b);
    return (TurnFrom(a, c) < span) != (TurnFrom(a, d) < span);
}

} // namespace quillform::detail
