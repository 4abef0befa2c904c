// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/curves/chain_deviation.h"

#include <algorithm>
#include <cmath>

namespace quillform::detail {

namespace {

constexpr int kBaseSamples = 2048;
constexpr int kSamplesPerPiece = 32;
constexpr int kMaxSamples = 1 << 20;
constexpr int kProbesPerEdge = 8;

double CurveToChain(const TFittedChain& chain, const TCurveSamples& samples) {
    double worst = 0;
    size_t hint = 0; // the edge nearest the previous sample: usually near this one too
    for (const TPoint2D& p : samples.points) {
        double nearest = DistanceToEdge(chain[hint], p);
        for (size_t e = 0; e < chain.size(); ++e) {
            const double distance = DistanceToEdge(chain[e], p);
            if (distance < nearest) {
                nearest = distance;
                hint = e;
            }
        }
        worst = std::max(worst, nearest);
    }
    return worst;
}

double ChainToCurve(const TFittedChain& chain, const TParametricCurve& curve,
                    const TCurveSamples& samples) {
    double worst = 0;
    for (const TFittedEdge& edge : chain)
        for (int k = 0; k <= kProbesPerEdge; ++k)
            worst = std::max(worst, DistanceToCurve(curve, samples,
                                                    PointOnEdge(edge, double(k) / kProbesPerEdge)));
    return worst;
}

} // namespace

double ChainDeviation(const TFittedChain& chain, const TParametricCurve& curve, double a,
                      double b) {
    if (chain.empty())
        return HUGE_VAL;
    const int pieces = curve.PiecesBetween(a, b);
    const int count = static_cast<int>(std::min<long long>(
        kBaseSamples + static_cast<long long>(kSamplesPerPiece) * pieces, kMaxSamples));
    const TCurveSamples samples = SampleCurve(curve, a, b, count);
    return std::max(CurveToChain(chain, samples), ChainToCurve(chain, curve, samples));
}

} // namespace quillform::detail
