// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/block_expansion_accurate.h"

#include "expand/curve_chains.h"
#include "expand/entity_mapping.h"

#include <algorithm>
#include <limits>
#include <map>

namespace quillform::detail {

namespace {
constexpr int64_t kUncounted = std::numeric_limits<int64_t>::max();

int64_t SaturatingAdd(int64_t a, int64_t b) {
    return a > kUncounted - b ? kUncounted : a + b;
}
int64_t SaturatingTimes(int64_t a, int64_t b) {
    return b != 0 && a > kUncounted / b ? kUncounted : a * b;
}

class TExpander {
public:
    TExpander(const TDrawingModel& model, quillform::detail::TEntityLists& lists,
              quillform::Diagnostics& report, const TExpansionRules& rules)
        : model_(model), lists_(lists), report_(report), rules_(rules) {}

    // How many entities the block would produce, without producing them.
    int64_t CountOf(const TBlockContents& block) {
        const auto known = counts_.find(&block);
        if (known != counts_.end())
            return known->second;
        counts_[&block] = 0; // a block that inserts itself adds nothing more
        int64_t total = 0;
        for (const TBlockItem& item : block.items) {
            const auto* insert = std::get_if<TInsertItem>(&item);
            if (!insert) {
                total = SaturatingAdd(total, 1);
                continue;
            }
            if (const TBlockContents* child = model_.Find(insert->block))
                total = SaturatingAdd(
                    total,
                    SaturatingTimes(CountOf(*child), static_cast<int64_t>(insert->cells.size())));
        }
        return counts_[&block] = total;
    }

    // `inherited` is the layer that layer "0" stands for (null in model space);
    // `topLevel` says whether inserts met here are model space's own.
    void Expand(const TBlockContents& block, const TAffine2D& map, const std::string* inherited,
                bool topLevel) {
        stack_.push_back(&block);
        for (const TBlockItem& item : block.items)
            std::visit([&](const auto& entity) { Place(entity, map, inherited, topLevel); }, item);
        stack_.pop_back();
    }

private:
    static const char* LayerFor(const char* own, const std::string* inherited) {
        const bool byBlock = inherited && own && std::string(own) == "0";
        return byBlock ? inherited->c_str() : own;
    }

    void AddCurve(TDXFPolygon* chain, const char* layer) {
        if (chain)
            lists_.Polylines.Add(chain);
        else
            report_.Warn("curveNotFitted", layer);
    }

    void Place(const TPlaced<std::unique_ptr<TDXFSegment>>& item, const TAffine2D& map,
               const std::string* inherited, bool) {
        const TDXFSegment& segment = *item.entity;
        lists_.Segments.Add(
            MapSegment(segment, item.plane.Then(map), LayerFor(segment.Layer.get(), inherited))
                .release());
    }
    void Place(const TPlaced<std::unique_ptr<TDXFArc>>& item, const TAffine2D& map,
               const std::string* inherited, bool) {
        const TDXFArc& arc = *item.entity;
        const char* layer = LayerFor(arc.Layer.get(), inherited);
        const TAffine2D placed = item.plane.Then(map);
        if (auto exact = MapArc(arc, placed, layer)) {
            lists_.Arcs.Add(exact.release());
            return;
        }
        const TAffine2D circle = TAffine2D::Scaling(arc.Radius, arc.Radius)
                                     .Then(TAffine2D::Translation(arc.CenterX, arc.CenterY))
                                     .Then(placed);
        AddCurve(EllipseChain(circle, arc.StartAngle, arc.EndAngle, arc.Clockwise,
                              rules_.curveTolerance, layer),
                 layer);
    }
    void Place(const TPlaced<std::unique_ptr<TDXFCircle>>& item, const TAffine2D& map,
               const std::string* inherited, bool) {
        const TDXFCircle& circle = *item.entity;
        const char* layer = LayerFor(circle.Layer.get(), inherited);
        const TAffine2D placed = item.plane.Then(map);
        if (auto exact = MapCircle(circle, placed, layer)) {
            lists_.Circles.Add(exact.release());
            return;
        }
        const TAffine2D unit = TAffine2D::Scaling(circle.Radius, circle.Radius)
                                   .Then(TAffine2D::Translation(circle.Center.X, circle.Center.Y))
                                   .Then(placed);
        AddCurve(EllipseChain(unit, 0, 0, false, rules_.curveTolerance, layer), layer);
    }
    void Place(const TPlaced<TOwnedPolyline>& item, const TAffine2D& map,
               const std::string* inherited, bool) {
        const TDXFPolygon& polyline = *item.entity;
        const char* layer = LayerFor(polyline.Layer.get(), inherited);
        const TAffine2D placed = item.plane.Then(map);
        if (TDXFPolygon* exact = MapPolyline(polyline, placed, layer)) {
            lists_.Polylines.Add(exact);
            return;
        }
        AddCurve(BulgedPolylineChain(polyline, placed, rules_.curveTolerance, rules_.bulgeTolerance,
                                     layer),
                 layer);
    }
    void Place(const TEllipseItem& ellipse, const TAffine2D& map, const std::string* inherited,
               bool) {
        const char* layer = LayerFor(ellipse.layer.c_str(), inherited);
        AddCurve(EllipseChain(ellipse.unitCircle.Then(map), ellipse.startDegrees,
                              ellipse.endDegrees, false, rules_.curveTolerance, layer),
                 layer);
    }
    void Place(const TSplineItem& spline, const TAffine2D& map, const std::string* inherited,
               bool) {
        const char* layer = LayerFor(spline.layer.c_str(), inherited);
        if (spline.rational) {
            AddCurve(SplineChain(spline.curve, map, rules_.curveTolerance, layer), layer);
            return;
        }
        TSplineCurve plain = spline.curve;
        plain.weights.clear();
        AddCurve(SplineChain(plain, map, rules_.curveTolerance, layer), layer);
    }
    void Place(const TInsertItem& insert, const TAffine2D& map, const std::string* inherited,
               bool topLevel) {
        const TBlockContents* child = model_.Find(insert.block);
        if (!child)
            return; // an insert of a block the file does not define places nothing
        if (std::find(stack_.begin(), stack_.end(), child) != stack_.end()) {
            report_.Warn("selfInsert", "", 1);
            return;
        }
        if (topLevel && rules_.spend)
            rules_.spend(
                SaturatingTimes(CountOf(*child), static_cast<int64_t>(insert.cells.size())));
        const std::string layer = LayerFor(insert.layer.c_str(), inherited);
        const TAffine2D base = TAffine2D::Translation(-child->base.X, -child->base.Y);
        for (const TAffine2D& cell : insert.cells)
            Expand(*child, base.Then(cell).Then(map), &layer, false);
    }

    const TDrawingModel& model_;
    quillform::detail::TEntityLists& lists_;
    quillform::Diagnostics& report_;
    const TExpansionRules& rules_;
    std::map<const TBlockContents*, int64_t> counts_;
    std::vector<const TBlockContents*> stack_;
};
} // namespace

void ExpandModelSpace(const TDrawingModel& model, quillform::detail::TEntityLists& lists,
                      quillform::Diagnostics& report, const TExpansionRules& rules) {
    TExpander expander(model, lists, report, rules);
    expander.Expand(model.modelSpace, TAffine2D(), nullptr, true);
}

} // namespace quillform::detail
