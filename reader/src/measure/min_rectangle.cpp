// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The smallest-area rectangle around a hull of points and arcs. Turned by t,
// the rectangle's sides are the hull's widths along u(t) and across it, so
// its area is f(t) = Width(t) Width(t + pi/2). Between the directions where a
// supporting piece changes (taken modulo a quarter turn), four fixed pieces
// give each width as p.u(t) + R: f is then a trigonometric polynomial of
// degree two. Where both widths are concave there (always so for corners:
// R = 0) f is log-concave and its least value lies at an end of the stretch;
// elsewhere (the lens-like arcs a shape's curves can make) a branch-and-bound
// search finds the least value inside.
#include "measure/convex_hull.h"

#include "model/geometry_constants.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quillform::detail {
namespace {
// Areas closer than this share of the largest width squared count as equal:
// the first (smallest) direction found keeps the minimum.
constexpr double kAreaTolerance = 1e-11;
// Widths whose sinusoid part dips below zero by less than this share of the
// hull's size (rounding, where a stretch ends on a zero) count as concave:
// an inside minimum it could hide is smaller than this share of the area.
constexpr double kConcaveSlack = 1e-12;
// The search stops splitting stretches shorter than this (radians): inside
// one, f lies less than |f''| h^2 / 8 below its ends, and |f''| is at most
// four times the hull's diameter squared: below 1e-10 of that square.
constexpr double kShortest = 1e-5;
// Directions within this (degrees) of 0 or a quarter turn are the upright
// rectangle, measured exactly along the axes.
constexpr double kUprightDegrees = 1e-9;

const HullPiece& PieceAt(const std::vector<HullPiece>& pieces, double angle) {
    const double t = std::fmod(angle, 2 * kPi);
    auto after = std::upper_bound(pieces.begin(), pieces.end(), t,
                                  [](double a, const HullPiece& p) { return a < p.from; });
    return after == pieces.begin() ? pieces.front() : *(after - 1);
}

// f(t) = k + a1 cos t + b1 sin t + a2 cos 2t + b2 sin 2t on one stretch.
struct AreaFunction {
    double k = 0, a1 = 0, b1 = 0, a2 = 0, b2 = 0;
    double px = 0, py = 0, qx = 0, qy = 0; // the widths' sinusoid parts
    bool concave = true;

    double operator()(double t) const {
        return k + a1 * std::cos(t) + b1 * std::sin(t) + a2 * std::cos(2 * t) +
               b2 * std::sin(2 * t);
    }
    // A bound of |f''|.
    double Curvature() const { return std::hypot(a1, b1) + 4 * std::hypot(a2, b2); }
};

// The area function with the pieces that support the directions around t;
// a width whose sinusoid dips below zero by no more than `slack` (a length:
// rounding where it touches zero) counts as concave.
AreaFunction AreaAround(const std::vector<HullPiece>& pieces, double t, double lo, double hi,
                        double slack) {
    const HullPiece& s0 = PieceAt(pieces, t);
    const HullPiece& s1 = PieceAt(pieces, t + kHalfPi);
    const HullPiece& s2 = PieceAt(pieces, t + kPi);
    const HullPiece& s3 = PieceAt(pieces, t + 3 * kHalfPi);
    AreaFunction f;
    f.px = s0.center.x - s2.center.x, f.py = s0.center.y - s2.center.y;
    f.qx = s1.center.x - s3.center.x, f.qy = s1.center.y - s3.center.y;
    const double r1 = s0.radius + s2.radius, r2 = s1.radius + s3.radius;
    // Width(t) = a cos t + b sin t + r1, Width(t + pi/2) = c cos t + d sin t + r2.
    const double a = f.px, b = f.py, c = f.qy, d = -f.qx;
    f.k = (a * c + b * d) / 2 + r1 * r2;
    f.a1 = a * r2 + c * r1, f.b1 = b * r2 + d * r1;
    f.a2 = (a * c - b * d) / 2, f.b2 = (a * d + b * c) / 2;
    // A sinusoid not negative at both ends of a stretch shorter than pi is
    // not negative on it: its width is concave there.
    const auto nonNegative = [&](double x, double y, double from, double to) {
        return x * std::cos(from) + y * std::sin(from) >= -slack &&
               x * std::cos(to) + y * std::sin(to) >= -slack;
    };
    f.concave = (r1 == 0 || nonNegative(a, b, lo, hi)) && (r2 == 0 || nonNegative(c, d, lo, hi));
    return f;
}

struct Best {
    double area = INFINITY;
    double angle = 0;
    double tolerance = 0;

    void Offer(double t, double value) {
        if (value < area - tolerance) {
            area = value;
            angle = t;
        }
    }
};

// Branch and bound: f lies above its chord less |f''| h^2 / 8.
void Search(const AreaFunction& f, double lo, double hi, double flo, double fhi, Best& best,
            int& budget) {
    const double h = hi - lo;
    if (std::min(flo, fhi) - f.Curvature() * h * h / 8 >= best.area - best.tolerance ||
        h < kShortest || --budget < 0)
        return;
    const double mid = (lo + hi) / 2, fmid = f(mid);
    best.Offer(mid, fmid);
    Search(f, lo, mid, flo, fmid, best, budget);
    Search(f, mid, hi, fmid, fhi, best, budget);
}

// The directions in [0, pi/2) where a supporting piece changes, and 0.
std::vector<double> Breaks(const std::vector<HullPiece>& pieces) {
    std::vector<double> breaks{0};
    breaks.reserve(pieces.size() + 1);
    for (const HullPiece& p : pieces)
        breaks.push_back(std::fmod(p.from, kHalfPi));
    std::sort(breaks.begin(), breaks.end());
    breaks.erase(std::unique(breaks.begin(), breaks.end()), breaks.end());
    return breaks;
}

Rectangle Turned(const ConvexHull& hull, double t) {
    const double degrees = t * 180 / kPi;
    if (degrees < kUprightDegrees)
        t = 0;
    else if (degrees >= 90 - kUprightDegrees)
        t = kHalfPi; // the upright rectangle, its sides the other way round
    // A flat hull's width across may round to just below zero.
    Rectangle r{std::max(0.0, hull.Width(t)), std::max(0.0, hull.Width(t + kHalfPi)),
                t * 180 / kPi};
    if (t == kHalfPi)
        r = {r.height, r.width, 0};
    return r;
}
} // namespace

Rectangle SmallestRectangle(const ConvexHull& hull) {
    const auto& pieces = hull.pieces;
    if (pieces.empty())
        return {};
    const double size = std::max(hull.Width(0), hull.Width(kHalfPi));
    Best best;
    best.tolerance = kAreaTolerance * size * size;
    const std::vector<double> breaks = Breaks(pieces);
    for (size_t k = 0; k < breaks.size(); ++k) {
        const double lo = breaks[k], hi = k + 1 < breaks.size() ? breaks[k + 1] : kHalfPi;
        const AreaFunction f = AreaAround(pieces, (lo + hi) / 2, lo, hi, kConcaveSlack * size);
        const double flo = f(lo);
        best.Offer(lo, flo);
        int budget = 512; // evaluations: a flat stretch stops here, its minimum long found
        if (!f.concave)
            Search(f, lo, hi, flo, f(hi), best, budget);
    }
    return Turned(hull, best.angle);
}

} // namespace quillform::detail
