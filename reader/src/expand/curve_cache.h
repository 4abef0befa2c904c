// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "model/entity_store.h"
#include "model/placement.h"

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

namespace quillform::detail {

// Curves fitted once and placed many times. A curve under maps that differ
// only by a translation (the cells of an array, the same block inserted at
// many places) is the same chain moved: it is fitted for the first such map
// and each later placement is that chain, moved by the difference.
class TCurveCache {
public:
    // What fitting a curve gave: its chain as a raw polyline (null when
    // nothing could be fitted), and whether it needed more edges than allowed.
    struct TFit {
        TDXFPolygon* chain = nullptr;
        bool overEdgeLimit = false;
    };
    using TFitter = std::function<TFit(const TAffine2D& map)>;

    // The chain of `curve` (any address that stands for it) under `map`, on
    // the given layer: fitted by `fit`, or a moved copy of an earlier fit.
    TFit Place(const void* curve, const TAffine2D& map, const char* layer, const TFitter& fit);

private:
    struct TKey {
        const void* curve;
        double linear[4]; // the map without its translation
        bool operator==(const TKey& other) const;
    };
    struct THash {
        size_t operator()(const TKey& key) const;
    };
    struct TVertex {
        double x, y, bulge;
    };
    struct TFitted {
        double e = 0, f = 0; // the translation of the map it was fitted for
        int32_t flags = 0;
        std::vector<TVertex> vertices;
        bool fitted = false;
        bool overEdgeLimit = false;
    };

    static TFitted Keep(const TFit& fit, const TAffine2D& map);
    static TDXFPolygon* Moved(const TFitted& fitted, const TAffine2D& map, const char* layer);

    std::unordered_map<TKey, TFitted, THash> fits_;
};

} // namespace quillform::detail
