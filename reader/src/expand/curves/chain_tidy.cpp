// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/curves/chain_tidy.h"

#include "expand/curves/plane_math.h"
#include "model/geometry_constants.h"

#include <cmath>

namespace quillform::detail {

using namespace curve_math;

namespace {

// Circles whose centres and radii agree this closely, and lines a joint strays this little
// from, are one: far below the tolerance, far above rounding.
constexpr double kSameShare = 1e-4;
// A run turning a hair over half a circle by rounding stays one arc.
constexpr double kHalfTurnSlack = 1e-9;

void Stitch(TFittedChain& chain) {
    TFittedChain stitched;
    stitched.reserve(chain.size());
    for (TFittedEdge edge : chain) {
        if (!stitched.empty())
            edge.start = stitched.back().end;
        if (Distance(edge.start, edge.end) > 0)
            stitched.push_back(edge);
    }
    chain.swap(stitched);
}

bool OnOneLine(const TFittedEdge& a, const TFittedEdge& b, double within) {
    if (a.isArc || b.isArc)
        return false;
    const TPoint2D whole = b.end - a.start;
    const double length = Length(whole);
    return Dot(a.end - a.start, b.end - b.start) > 0 && length > 0 &&
           std::abs(Cross(whole, a.end - a.start)) / length <= within;
}

bool OnOneCircle(const TFittedEdge& a, const TFittedEdge& b, double within) {
    return a.isArc && b.isArc && a.clockwise == b.clockwise &&
           Distance(a.center, b.center) <= within && std::abs(a.radius - b.radius) <= within;
}

// The arcs [first, last] of one circle, as equal arcs of at most half a turn.
void AppendArcRun(const TFittedChain& chain, size_t first, size_t last, TFittedChain& out) {
    double sweep = 0;
    for (size_t i = first; i <= last; ++i)
        sweep += EdgeSweep(chain[i]);
    const int count = std::max(1, static_cast<int>(std::ceil(sweep / kPi - kHalfTurnSlack)));
    TFittedEdge arc = chain[first];
    const double start = std::atan2(arc.start.Y - arc.center.Y, arc.start.X - arc.center.X);
    const double step = (arc.clockwise ? -sweep : sweep) / count;
    for (int k = 1; k <= count; ++k) {
        const double angle = start + k * step;
        arc.end = k == count ? chain[last].end
                             : arc.center + arc.radius * TPoint2D(std::cos(angle), std::sin(angle));
        out.push_back(arc);
        arc.start = arc.end;
    }
}

} // namespace

void TidyChain(TFittedChain& chain, double tolerance) {
    Stitch(chain);
    const double within = kSameShare * tolerance;
    TFittedChain tidy;
    tidy.reserve(chain.size());
    for (size_t i = 0; i < chain.size();) {
        size_t last = i;
        if (chain[i].isArc) {
            while (last + 1 < chain.size() && OnOneCircle(chain[i], chain[last + 1], within))
                ++last;
            AppendArcRun(chain, i, last, tidy);
        } else {
            TFittedEdge line = chain[i];
            while (last + 1 < chain.size() && OnOneLine(line, chain[last + 1], within))
                line.end = chain[++last].end;
            tidy.push_back(line);
        }
        i = last + 1;
    }
    chain.swap(tidy);
}

} // namespace quillform::detail
