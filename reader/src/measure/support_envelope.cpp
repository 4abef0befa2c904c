// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The upper envelope of the features' support functions, marched once round
// the directions: from the feature that supports direction t, the next
// change is the first direction where another feature rises above it (two
// circles' supports differ by a sinusoid, so that direction has a closed
// form), where an arc begins already level with it, or where the current
// arc ends.
#include "measure/convex_hull.h"

#include "quillform/geometry_constants.h"

#include <cmath>

namespace quillform::detail {
namespace {
constexpr double kTurn = 2 * kPi;
// Directions closer than this count as one: over it a support changes by
// less than 1e-12 of the hull's size, the tolerance of the comparisons.
constexpr double kAngleStep = 4e-13;

double Value(const HullFeature& f, double t) {
    return f.center.x * std::cos(t) + f.center.y * std::sin(t) + f.radius;
}

double Slope(const HullFeature& f, double t) {
    return f.center.y * std::cos(t) - f.center.x * std::sin(t);
}

bool Whole(const HullFeature& f) {
    return f.sweep >= kTurn - kAngleStep;
}

// How far direction t lies past the arc's start, in [0, 2 pi); a direction
// just before the start counts as the start.
double Offset(const HullFeature& f, double t) {
    const double offset = std::fmod(std::fmod(t - f.start, kTurn) + kTurn, kTurn);
    return offset > kTurn - kAngleStep ? 0 : offset;
}

// Whether the feature still supports directions just after t.
bool Continues(const HullFeature& f, double t) {
    return Whole(f) || Offset(f, t) < f.sweep - kAngleStep;
}

// The first direction after `after` that is `angle` plus whole turns.
double Next(double angle, double after) {
    return angle + kTurn * std::ceil((after + kAngleStep - angle) / kTurn);
}

// Whether g supports directions just after t better than f: higher, or level
// and rising faster, or level in both and the larger circle (it falls off
// more slowly).
bool Better(const HullFeature& g, const HullFeature& f, double t, double tolerance) {
    const double dv = Value(g, t) - Value(f, t);
    if (std::fabs(dv) > tolerance)
        return dv > 0;
    const double ds = Slope(g, t) - Slope(f, t);
    if (std::fabs(ds) > tolerance)
        return ds > 0;
    return g.radius > f.radius;
}

size_t Highest(const std::vector<HullFeature>& features, double t, double tolerance) {
    size_t best = features.size();
    for (size_t k = 0; k < features.size(); ++k)
        if (Continues(features[k], t) &&
            (best == features.size() || Better(features[k], features[best], t, tolerance)))
            best = k;
    return best;
}

// Where g rises above f, after `after`; infinity when it never does.
double Crossing(const HullFeature& f, const HullFeature& g, double after) {
    const double dx = g.center.x - f.center.x, dy = g.center.y - f.center.y;
    const double a = std::hypot(dx, dy), dr = g.radius - f.radius;
    if (a == 0 || std::fabs(dr) > a * (1 + 1e-12))
        return INFINITY;
    // g - f = a cos(t - psi) + dr, rising through zero where sin(t - psi) < 0.
    const double t =
        Next(std::atan2(dy, dx) - std::acos(std::fmax(-1.0, std::fmin(1.0, -dr / a))), after);
    return Continues(g, t) ? t : INFINITY;
}

// Where arc g begins, after `after`, if it is then level with f or above it.
double Entry(const HullFeature& f, const HullFeature& g, double after, double tolerance) {
    if (Whole(g))
        return INFINITY;
    const double t = Next(g.start, after);
    return Value(g, t) >= Value(f, t) - tolerance ? t : INFINITY;
}

double NextChange(const std::vector<HullFeature>& features, size_t current, double t,
                  double tolerance) {
    const HullFeature& f = features[current];
    double next = Whole(f) ? INFINITY : t + (f.sweep - Offset(f, t));
    for (size_t k = 0; k < features.size(); ++k)
        if (k != current)
            next = std::fmin(
                next, std::fmin(Crossing(f, features[k], t), Entry(f, features[k], t, tolerance)));
    return next;
}

void Append(std::vector<HullPiece>& pieces, const HullFeature& f, double from, double to) {
    if (!pieces.empty() && pieces.back().center.x == f.center.x &&
        pieces.back().center.y == f.center.y && pieces.back().radius == f.radius) {
        pieces.back().to = to;
        return;
    }
    pieces.push_back({f.center, f.radius, from, to});
}
} // namespace

std::vector<HullPiece> SupportEnvelope(const std::vector<HullFeature>& features, double tolerance) {
    std::vector<HullPiece> pieces;
    size_t current = Highest(features, 0, tolerance);
    // The envelope of circles and arcs has a few pieces per feature, and a
    // few more steps where arcs begin; far more steps mean the march is stuck.
    const size_t limit = 64 + 16 * features.size();
    double t = 0;
    for (size_t step = 0; current < features.size() && step < limit; ++step) {
        const double next = std::fmin(NextChange(features, current, t, tolerance), kTurn);
        Append(pieces, features[current], t, next);
        if (next >= kTurn)
            return pieces;
        t = next;
        current = Highest(features, t, tolerance);
    }
    return {};
}

} // namespace quillform::detail
