// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "cut_parts.h"

#include "contour_geometry.h"

#include <cmath>
#include <map>
#include <tuple>

namespace quillform::detail {
namespace {
using ChainKey = std::tuple<std::string, size_t, double, double>;

// The open chains of the drawing by layer, vertex count and first vertex:
// under open mode 1 each is also a shape or hole with the same vertices.
class OpenChainIndex {
public:
    explicit OpenChainIndex(const Drawing& drawing) {
        for (const OpenChain& chain : drawing.openChains)
            if (!chain.vertices.empty())
                chains_[Key(chain.layer, chain.vertices)].push_back(&chain);
    }

    // The chain the outline is, if any; each chain is found once.
    const OpenChain* Take(const std::string& layer, const Outline& outline) {
        if (outline.kind != OutlineKind::Polygon || outline.vertices.empty())
            return nullptr;
        const auto found = chains_.find(Key(layer, outline.vertices));
        if (found == chains_.end())
            return nullptr;
        auto& candidates = found->second;
        for (auto it = candidates.begin(); it != candidates.end(); ++it)
            if (SameVertices((*it)->vertices, outline.vertices)) {
                const OpenChain* chain = *it;
                candidates.erase(it);
                return chain;
            }
        return nullptr;
    }

private:
    static ChainKey Key(const std::string& layer, const std::vector<Vertex>& v) {
        return ChainKey{layer, v.size(), v[0].x, v[0].y};
    }

    static bool SameVertices(const std::vector<Vertex>& a, const std::vector<Vertex>& b) {
        for (size_t k = 0; k < a.size(); ++k)
            if (a[k].x != b[k].x || a[k].y != b[k].y ||
                a[k].arc.has_value() != b[k].arc.has_value())
                return false;
        return true;
    }

    std::map<ChainKey, std::vector<const OpenChain*>> chains_;
};

bool FiniteShape(const Shape& shape) {
    if (!Finite(static_cast<const Outline&>(shape)))
        return false;
    for (const Outline& hole : shape.holes)
        if (!Finite(hole))
            return false;
    return true;
}

// Its corners and its size: a part from -1e308 to 1e308 has no size to write.
bool FiniteBox(const Bounds& b) {
    return std::isfinite(b.maxX - b.minX) && std::isfinite(b.maxY - b.minY);
}

// No vertices, or a single one without an arc: a point, nothing to cut.
bool Empty(const Outline& outline) {
    const auto& v = outline.vertices;
    return outline.kind == OutlineKind::Polygon && (v.empty() || (v.size() == 1 && !v[0].arc));
}

void Include(CutContent& content, const Bounds& b) {
    content.bounds = content.empty ? b : Union(content.bounds, b);
    content.empty = false;
}

class Gatherer {
public:
    Gatherer(CutContent& content, bool openChains)
        : content_(content), chains_(*content.drawing), writeChains_(openChains) {}

    void Layer(const quillform::Layer& layer) {
        for (size_t j = 0; j < layer.shapes.size(); ++j) {
            CutPart part;
            part.layer = &layer;
            part.number = j;
            if (Fill(part, layer.shapes[j]))
                Keep(std::move(part));
        }
    }

    void OpenChains() {
        if (!writeChains_)
            return;
        for (const OpenChain& chain : content_.drawing->openChains) {
            if (chain.vertices.size() < 2) // no edge to cut
                continue;
            const Bounds bounds = ExactBounds(chain.vertices, false);
            if (!Finite(chain.vertices) || !FiniteBox(bounds)) {
                Warn("open-chain-not-finite", chain.layer,
                     "An open chain has a coordinate that is not a finite number: left out.");
                continue;
            }
            content_.openChains.push_back(&chain);
            Include(content_, bounds);
        }
    }

private:
    bool Fill(CutPart& part, const Shape& shape) {
        if (!FiniteShape(shape))
            return NotFinite(part);
        if (!Sort(part, shape, &part.outline))
            return false;
        for (const Outline& hole : shape.holes) {
            const Outline* closed = nullptr;
            Sort(part, hole, &closed);
            if (closed)
                part.holes.push_back(closed);
        }
        // An open outline not asked for leaves nothing to cut but its holes.
        return part.outline || !part.holes.empty() || !part.open.empty();
    }

    // Files the contour as open (a chain kept as a shape) or closed; false
    // when it has no vertices.
    bool Sort(CutPart& part, const Outline& contour, const Outline** closed) {
        if (const OpenChain* chain = chains_.Take(part.layer->name, contour)) {
            if (writeChains_)
                part.open.push_back(chain);
            return true;
        }
        if (Empty(contour)) {
            const bool outline = closed == &part.outline;
            Warn("contour-empty", part.layer->name,
                 PartName(part) +
                     (outline ? " is a single point: left out."
                              : " has a hole that is a single point: the hole is left out."));
            return false;
        }
        *closed = &contour;
        return true;
    }

    bool NotFinite(const CutPart& part) {
        Warn("part-not-finite", part.layer->name,
             PartName(part) + " has a coordinate that is not a finite number: left out.");
        return false;
    }

    // Files the part with its box; a box past the largest number (a circle
    // of huge radius, a part across the whole range of numbers) is no
    // geometry to cut either.
    void Keep(CutPart part) {
        bool first = true;
        auto widen = [&](const Bounds& b) {
            part.bounds = first ? b : Union(part.bounds, b);
            first = false;
        };
        if (part.outline)
            widen(ExactBounds(*part.outline));
        for (const Outline* hole : part.holes)
            widen(ExactBounds(*hole));
        for (const OpenChain* chain : part.open)
            widen(ExactBounds(chain->vertices, false));
        if (!FiniteBox(part.bounds)) {
            NotFinite(part);
            return;
        }
        Include(content_, part.bounds);
        content_.parts.push_back(std::move(part));
    }

    void Warn(const std::string& code, const std::string& layer, const std::string& message) {
        content_.warnings.push_back(Warning{code, layer, 1, message, 0, {}});
    }

    CutContent& content_;
    OpenChainIndex chains_;
    bool writeChains_;
};
} // namespace

bool GatherParts(const Drawing& drawing, const std::string& unitName, bool openChains,
                 CutContent& content, std::string* error) {
    content.drawing = &drawing;
    if (!unitName.empty() && unitName != drawing.lengths.name) {
        content.converted = drawing;
        if (!ConvertUnits(*content.converted, unitName, error))
            return false;
        content.drawing = &*content.converted;
    }
    Gatherer gatherer(content, openChains);
    for (const Layer& layer : content.drawing->layers)
        gatherer.Layer(layer);
    gatherer.OpenChains();
    return true;
}

const Unit& ContentUnit(const CutContent& content) {
    return content.drawing->lengths;
}

std::string PartName(const CutPart& part) {
    return "SHAPE # " + std::to_string(part.number) + " of layer " + part.layer->name;
}

} // namespace quillform::detail
