// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The upper envelope of the features' support functions, marched once round
// the directions: from the feature that supports direction t, the next
// change is the first direction where another feature rises above it (two
// circles' supports differ by a sinusoid, so that direction has a closed
// form), where an arc begins already level with it, or where the current
// arc ends.
#include "measure/convex_hull.h"

#include "model/geometry_constants.h"

#include <cmath>

namespace quillform::detail {
namespace {
constexpr double kTurn = 2 * kPi;
// Directions closer than this count as one: over it a support changes by
// less than 1e-12 of the hull's size, the tolerance of the comparisons.
constexpr double kAngleStep = 4e-13;

Point Unit(double t) {
    return {std::cos(t), std::sin(t)};
}

double Value(const HullFeature& f, Point u) {
    return f.center.x * u.x + f.center.y * u.y + f.radius;
}

double Slope(const HullFeature& f, Point u) {
    return f.center.y * u.x - f.center.x * u.y;
}

bool Whole(const HullFeature& f) {
    return f.sweep >= kTurn - kAngleStep;
}

// How far direction t lies past the arc's start, in [0, 2 pi); a direction
// just before the start counts as the start.
double Offset(const HullFeature& f, double t) {
    const double offset = (t - f.start) - kTurn * std::floor((t - f.start) / kTurn);
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

// Where g rises above f, after `after`; infinity when it never does.
double Crossing(const HullFeature& f, const HullFeature& g, double after) {
    const double dx = g.center.x - f.center.x, dy = g.center.y - f.center.y;
    const double dr = g.radius - f.radius;
    // g - f = a cos(t - psi) + dr, rising through zero where sin(t - psi) < 0.
    double rise = kHalfPi; // between two points
    if (dr != 0) {
        const double a = std::hypot(dx, dy);
        if (a == 0 || std::fabs(dr) > a * (1 + 1e-12))
            return INFINITY;
        rise = std::acos(std::fmax(-1.0, std::fmin(1.0, -dr / a)));
    } else if (dx == 0 && dy == 0) {
        return INFINITY;
    }
    const double t = Next(std::atan2(dy, dx) - rise, after);
    return Continues(g, t) ? t : INFINITY;
}

// The march: the features, the directions where their arcs begin, and the
// tolerance of comparisons (a length).
class Envelope {
public:
    Envelope(const std::vector<HullFeature>& features, double tolerance)
        : features_(features), tolerance_(tolerance) {
        starts_.reserve(features.size());
        for (const HullFeature& f : features)
            starts_.push_back(Unit(f.start));
    }

    size_t Count() const { return features_.size(); }

    // The feature that supports the directions just after t (Count() when none does).
    size_t Highest(double t) const {
        const Point u = Unit(t);
        size_t best = Count();
        for (size_t k = 0; k < Count(); ++k)
            if (Continues(features_[k], t) && (best == Count() || Better(k, best, u)))
                best = k;
        return best;
    }

    // The first direction after t where the feature that supports t may
    // cease to. The outline's next features come first: the change is most
    // often theirs, and once it is near, features that cannot rise that fast
    // (by the bound |g - f| on the slope of their difference) are passed by.
    double NextChange(size_t current, double t) const {
        const HullFeature& f = features_[current];
        double next = Whole(f) ? INFINITY : t + (f.sweep - Offset(f, t));
        const Point u = Unit(t);
        const double level = Value(f, u);
        for (size_t step = 1; step < Count(); ++step) {
            const size_t k = (current + step) % Count();
            const HullFeature& g = features_[k];
            const double reach =
                std::fabs(g.center.x - f.center.x) + std::fabs(g.center.y - f.center.y);
            if (Value(g, u) - level + reach * (next - t) < -tolerance_)
                continue;
            next = std::fmin(next, std::fmin(Crossing(f, g, t), Entry(current, k, t)));
        }
        return next;
    }

private:
    // Higher, or level and rising faster, or level in both and the larger
    // circle (it falls off more slowly).
    bool Better(size_t g, size_t f, Point u) const {
        const double dv = Value(features_[g], u) - Value(features_[f], u);
        if (std::fabs(dv) > tolerance_)
            return dv > 0;
        const double ds = Slope(features_[g], u) - Slope(features_[f], u);
        if (std::fabs(ds) > tolerance_)
            return ds > 0;
        return features_[g].radius > features_[f].radius;
    }

    // Where arc g begins, after `after`, if it is then level with f or above it.
    double Entry(size_t f, size_t g, double after) const {
        if (Whole(features_[g]))
            return INFINITY;
        const Point u = starts_[g];
        return Value(features_[g], u) >= Value(features_[f], u) - tolerance_
                   ? Next(features_[g].start, after)
                   : INFINITY;
    }

    const std::vector<HullFeature>& features_;
    double tolerance_;
    std::vector<Point> starts_;
};

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
    const Envelope envelope(features, tolerance);
    std::vector<HullPiece> pieces;
    pieces.reserve(features.size() + 1);
    size_t current = envelope.Highest(0);
    // The envelope of circles and arcs has a few pieces per feature, and a
    // few more steps where arcs begin; far more steps mean the march is stuck.
    const size_t limit = 64 + 16 * features.size();
    double t = 0;
    for (size_t step = 0; current < features.size() && step < limit; ++step) {
        const double next = std::fmin(envelope.NextChange(current, t), kTurn);
        Append(pieces, features[current], t, next);
        if (next >= kTurn)
            return pieces;
        t = next;
        current = envelope.Highest(t);
    }
    return {};
}

} // namespace quillform::detail
