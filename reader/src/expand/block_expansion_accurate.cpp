// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/block_expansion_accurate.h"

#include "expand/curve_cache.h"
#include "expand/curve_chains.h"
#include "expand/entity_mapping.h"
#include "expand/expansion_count.h"

#include <deque>
#include <unordered_set>

namespace quillform::detail {

namespace {
// Places a block's entities through maps, level by level, and spends from
// the budget for everything made inside a block: one per visit of a block
// and per insert met in one, one per entity, one more per polyline vertex or
// fitted edge. Model space's own entities cost nothing.
class TExpander {
public:
    TExpander(const TDrawingModel& model, quillform::detail::TEntityLists& lists,
              quillform::Diagnostics& report, const TExpansionRules& rules)
        : model_(model), lists_(lists), report_(report), rules_(rules) {}

    // `inherited` is the layer that layer "0" stands for (null in model
    // space); `depth` is 0 in model space, one more in each block below.
    void Expand(const TBlockContents& block, const TAffine2D& map, const std::string* inherited,
                int depth) {
        Spend(depth, 1);
        for (const TBlockItem& item : block.items)
            std::visit([&](const auto& entity) { Place(entity, map, inherited, depth); }, item);
    }

    // Model space, item by item, each freed once it is placed.
    void ExpandAndFree(std::deque<TBlockItem>& items) {
        const TAffine2D identity;
        for (; !items.empty(); items.pop_front())
            std::visit([&](const auto& entity) { Place(entity, identity, nullptr, 0); },
                       items.front());
    }

private:
    static const char* LayerFor(const char* own, const std::string* inherited) {
        const bool byBlock = inherited && own && std::string(own) == "0";
        return byBlock ? inherited->c_str() : own;
    }

    void Spend(int depth, int64_t cost) {
        if (depth > 0 && rules_.budget)
            rules_.budget->Spend(cost);
    }

    void AddPolyline(TDXFPolygon* polyline, int depth) {
        TOwnedPolyline owned(polyline);
        Spend(depth, polyline->Count);
        AddOwned(lists_.Polylines, std::move(owned));
    }

    // A curve fitted once per shape of its map and moved to each place.
    void AddCurve(const void* curve, const TAffine2D& map, const char* layer, int depth,
                  const TCurveCache::TFitter& fit) {
        const TCurveCache::TFit placed = curves_.Place(curve, map, layer, fit);
        if (placed.overEdgeLimit)
            report_.Warn("curveTooComplex", layer);
        else if (!placed.chain)
            report_.Warn("curveNotFitted", layer);
        if (placed.chain)
            AddPolyline(placed.chain, depth);
    }

    void Place(const TPlaced<std::unique_ptr<TDXFSegment>>& item, const TAffine2D& map,
               const std::string* inherited, int depth) {
        const TDXFSegment& segment = *item.entity;
        Spend(depth, 1);
        AddOwned(lists_.Segments, MapSegment(segment, item.plane.Then(map),
                                             LayerFor(segment.Layer.get(), inherited)));
    }
    void Place(const TPlaced<std::unique_ptr<TDXFArc>>& item, const TAffine2D& map,
               const std::string* inherited, int depth) {
        const TDXFArc& arc = *item.entity;
        const char* layer = LayerFor(arc.Layer.get(), inherited);
        const TAffine2D placed = item.plane.Then(map);
        if (auto exact = MapArc(arc, placed, layer)) {
            Spend(depth, 1);
            AddOwned(lists_.Arcs, std::move(exact));
            return;
        }
        const TAffine2D circle = TAffine2D::Scaling(arc.Radius, arc.Radius)
                                     .Then(TAffine2D::Translation(arc.CenterX, arc.CenterY))
                                     .Then(placed);
        AddCurve(&arc, circle, layer, depth, [&](const TAffine2D& m) {
            TCurveCache::TFit fit;
            fit.chain = EllipseChain(m, arc.StartAngle, arc.EndAngle, arc.Clockwise,
                                     rules_.curveTolerance, layer, &fit.overEdgeLimit);
            return fit;
        });
    }
    void Place(const TPlaced<std::unique_ptr<TDXFCircle>>& item, const TAffine2D& map,
               const std::string* inherited, int depth) {
        const TDXFCircle& circle = *item.entity;
        const char* layer = LayerFor(circle.Layer.get(), inherited);
        const TAffine2D placed = item.plane.Then(map);
        if (auto exact = MapCircle(circle, placed, layer)) {
            Spend(depth, 1);
            AddOwned(lists_.Circles, std::move(exact));
            return;
        }
        const TAffine2D unit = TAffine2D::Scaling(circle.Radius, circle.Radius)
                                   .Then(TAffine2D::Translation(circle.Center.X, circle.Center.Y))
                                   .Then(placed);
        AddCurve(&circle, unit, layer, depth, [&](const TAffine2D& m) {
            TCurveCache::TFit fit;
            fit.chain =
                EllipseChain(m, 0, 0, false, rules_.curveTolerance, layer, &fit.overEdgeLimit);
            return fit;
        });
    }
    void Place(const TPlaced<TOwnedPolyline>& item, const TAffine2D& map,
               const std::string* inherited, int depth) {
        const TDXFPolygon& polyline = *item.entity;
        const char* layer = LayerFor(polyline.Layer.get(), inherited);
        const TAffine2D placed = item.plane.Then(map);
        if (TDXFPolygon* exact = MapPolyline(polyline, placed, layer))
            return AddPolyline(exact, depth);
        AddCurve(&polyline, placed, layer, depth, [&](const TAffine2D& m) {
            TCurveCache::TFit fit;
            fit.chain = BulgedPolylineChain(polyline, m, rules_.curveTolerance,
                                            rules_.bulgeTolerance, layer, &fit.overEdgeLimit);
            return fit;
        });
    }
    template <typename Item>
    void Place(const std::unique_ptr<Item>& item, const TAffine2D& map,
               const std::string* inherited, int depth) {
        Place(*item, map, inherited, depth);
    }
    void Place(const TEllipseItem& ellipse, const TAffine2D& map, const std::string* inherited,
               int depth) {
        const char* layer = LayerFor(ellipse.layer.c_str(), inherited);
        AddCurve(&ellipse, ellipse.unitCircle.Then(map), layer, depth, [&](const TAffine2D& m) {
            TCurveCache::TFit fit;
            fit.chain = EllipseChain(m, ellipse.startDegrees, ellipse.endDegrees, false,
                                     rules_.curveTolerance, layer, &fit.overEdgeLimit);
            return fit;
        });
    }
    void Place(const TSplineItem& spline, const TAffine2D& map, const std::string* inherited,
               int depth) {
        const char* layer = LayerFor(spline.layer.c_str(), inherited);
        AddCurve(&spline, map, layer, depth, [&](const TAffine2D& m) {
            TCurveCache::TFit fit;
            if (spline.rational) {
                fit.chain =
                    SplineChain(spline.curve, m, rules_.curveTolerance, layer, &fit.overEdgeLimit);
                return fit;
            }
            TSplineCurve plain = spline.curve;
            plain.weights.clear();
            fit.chain = SplineChain(plain, m, rules_.curveTolerance, layer, &fit.overEdgeLimit);
            return fit;
        });
    }
    void Place(const TInsertItem& insert, const TAffine2D& map, const std::string* inherited,
               int depth) {
        Spend(depth, 1);
        const TBlockContents* child = Reachable(insert, depth);
        if (!child)
            return;
        const std::string layer = LayerFor(insert.layer.c_str(), inherited);
        const TAffine2D base = TAffine2D::Translation(-child->base.X, -child->base.Y);
        expanding_.insert(child);
        for (int64_t cell = 0; cell < insert.Cells(); ++cell)
            Expand(*child, base.Then(insert.Cell(cell)).Then(map), &layer, depth + 1);
        expanding_.erase(child);
    }

    // The block an insert places, or null (with a warning) where expansion
    // stops: a block the file does not define, one that is being expanded
    // already (a block that inserts itself), nesting too deep.
    const TBlockContents* Reachable(const TInsertItem& insert, int depth) {
        const TBlockContents* child = model_.Find(insert.block);
        const char* stop = !child                    ? "undefinedBlock"
                           : expanding_.count(child) ? "selfInsert"
                           : depth + 1 > kMaxNesting ? "nestingTooDeep"
                                                     : nullptr;
        if (stop)
            report_.Warn(stop);
        return stop ? nullptr : child;
    }

    const TDrawingModel& model_;
    quillform::detail::TEntityLists& lists_;
    quillform::Diagnostics& report_;
    const TExpansionRules& rules_;
    std::unordered_set<const TBlockContents*> expanding_;
    TCurveCache curves_;
};
} // namespace

void ExpandModelSpace(TDrawingModel& model, quillform::detail::TEntityLists& lists,
                      quillform::Diagnostics& report, const TExpansionRules& rules) {
    // Refused before anything is made when the count alone passes the budget.
    if (rules.budget)
        TExpansionCount(model, *rules.budget).OfModelSpace();
    TExpander expander(model, lists, report, rules);
    expander.ExpandAndFree(model.modelSpace.items);
}

} // namespace quillform::detail
