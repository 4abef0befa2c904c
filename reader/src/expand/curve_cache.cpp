// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/curve_cache.h"

#include <cstring>
#include <functional>

namespace quillform::detail {

// Bit for bit, so that a map with a NaN in it finds its own fit too.
bool TCurveCache::TKey::operator==(const TKey& other) const {
    return curve == other.curve && std::memcmp(linear, other.linear, sizeof linear) == 0;
}

size_t TCurveCache::THash::operator()(const TKey& key) const {
    size_t hash = std::hash<const void*>()(key.curve);
    for (const double value : key.linear) {
        uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        hash = hash * 1099511628211u ^ std::hash<uint64_t>()(bits);
    }
    return hash;
}

TCurveCache::TFitted TCurveCache::Keep(const TFit& fit, const TAffine2D& map) {
    TFitted kept;
    kept.e = map.e;
    kept.f = map.f;
    kept.fitted = fit.chain != nullptr;
    kept.overEdgeLimit = fit.overEdgeLimit;
    if (!fit.chain)
        return kept;
    kept.flags = *static_cast<const int32_t*>(fit.chain->Head->Item);
    kept.vertices.reserve(static_cast<size_t>(fit.chain->Count));
    for (const TListaNode* n = fit.chain->Head->Next; n; n = n->Next) {
        const auto* vertex = static_cast<const dxf_info*>(n->Item);
        kept.vertices.push_back(TVertex{vertex->x, vertex->y, vertex->bulge});
    }
    return kept;
}

TDXFPolygon* TCurveCache::Moved(const TFitted& fitted, const TAffine2D& map, const char* layer) {
    const double dx = map.e - fitted.e, dy = map.f - fitted.f;
    TOwnedPolyline polyline(new TDXFPolygon());
    int32_t* flags = NewPlainItem<int32_t>();
    *flags = fitted.flags;
    polyline->AddPlain(flags);
    for (const TVertex& from : fitted.vertices) {
        auto* vertex = NewPlainItem<dxf_info>();
        vertex->x = from.x + dx;
        vertex->y = from.y + dy;
        vertex->bulge = from.bulge;
        polyline->AddPlain(vertex);
    }
    polyline->Layer = quillform::CopyName(layer);
    return polyline.release();
}

TCurveCache::TFit TCurveCache::Place(const void* curve, const TAffine2D& map, const char* layer,
                                     const TFitter& fit) {
    const TKey key{curve, {map.a, map.b, map.c, map.d}};
    const auto known = fits_.find(key);
    if (known == fits_.end()) {
        const TFit first = fit(map);
        fits_.emplace(key, Keep(first, map));
        return first;
    }
    const TFitted& fitted = known->second;
    return TFit{fitted.fitted ? Moved(fitted, map, layer) : nullptr, fitted.overEdgeLimit};
}

} // namespace quillform::detail
