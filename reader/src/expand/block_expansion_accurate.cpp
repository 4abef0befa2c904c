// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "expand/block_expansion_accurate.h"

#include "expand/entity_mapping.h"

#include <algorithm>
#include <limits>
#include <map>

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
    TExpander(const TDrawingModel& model, Test_CreationClass& lists, TReadReport& report)
        : model_(model), lists_(lists), report_(report) {}

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

    void Expand(const TBlockContents& block, const TAffine2D& map, const std::string* inherited,
                const std::function<void(int64_t)>* spend) {
        stack_.push_back(&block);
        for (const TBlockItem& item : block.items)
            std::visit([&](const auto& entity) { Place(entity, map, inherited, spend); }, item);
        stack_.pop_back();
    }

private:
    // Layer "0" inside a block stands for the layer of the insert placing it.
    static const char* LayerFor(const char* own, const std::string* inherited) {
        const bool byBlock = inherited && own && std::string(own) == "0";
        return byBlock ? inherited->c_str() : own;
    }

    void Place(const std::unique_ptr<TDXFSegment>& segment, const TAffine2D& map,
               const std::string* inherited, const std::function<void(int64_t)>*) {
        lists_.Segments.Add(
            MapSegment(*segment, map, LayerFor(segment->Layer.get(), inherited)).release());
    }
    void Place(const std::unique_ptr<TDXFArc>& arc, const TAffine2D& map,
               const std::string* inherited, const std::function<void(int64_t)>*) {
        const char* layer = LayerFor(arc->Layer.get(), inherited);
        if (auto placed = MapArc(*arc, map, layer))
            lists_.Arcs.Add(placed.release());
        else
            report_.Warn("ellipticalNotPlaced", layer);
    }
    void Place(const std::unique_ptr<TDXFCircle>& circle, const TAffine2D& map,
               const std::string* inherited, const std::function<void(int64_t)>*) {
        const char* layer = LayerFor(circle->Layer.get(), inherited);
        if (auto placed = MapCircle(*circle, map, layer))
            lists_.Circles.Add(placed.release());
        else
            report_.Warn("ellipticalNotPlaced", layer);
    }
    void Place(const TOwnedPolyline& polyline, const TAffine2D& map, const std::string* inherited,
               const std::function<void(int64_t)>*) {
        const char* layer = LayerFor(polyline->Layer.get(), inherited);
        if (TDXFPolygon* placed = MapPolyline(*polyline, map, layer))
            lists_.Polylines.Add(placed);
        else
            report_.Warn("ellipticalNotPlaced", layer);
    }
    void Place(const TInsertItem& insert, const TAffine2D& map, const std::string* inherited,
               const std::function<void(int64_t)>* spend) {
        const TBlockContents* child = model_.Find(insert.block);
        if (!child)
            return; // an insert of a block the file does not define places nothing
        if (std::find(stack_.begin(), stack_.end(), child) != stack_.end()) {
            report_.Warn("selfInsert", "", 1);
            return;
        }
        if (spend && *spend)
            (*spend)(SaturatingTimes(CountOf(*child), static_cast<int64_t>(insert.cells.size())));
        const std::string layer = LayerFor(insert.layer.c_str(), inherited);
        const TAffine2D base = TAffine2D::Translation(-child->base.X, -child->base.Y);
        for (const TAffine2D& cell : insert.cells)
            Expand(*child, base.Then(cell).Then(map), &layer, nullptr);
    }

    const TDrawingModel& model_;
    Test_CreationClass& lists_;
    TReadReport& report_;
    std::map<const TBlockContents*, int64_t> counts_;
    std::vector<const TBlockContents*> stack_;
};
} // namespace

const TBlockContents* TDrawingModel::Find(const std::string& name) const {
    for (const auto& block : blocks)
        if (block->name == name)
            return block.get();
    return nullptr;
}

void ExpandModelSpace(const TDrawingModel& model, Test_CreationClass& lists, TReadReport& report,
                      const std::function<void(int64_t)>& spend) {
    TExpander expander(model, lists, report);
    expander.Expand(model.modelSpace, TAffine2D(), nullptr, &spend);
}
