// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The classification passes, walk for walk as the literal engine makes
// them: the same items in the same order with the same tests, so the same
// parts, holes and order. Hole collection visits only the candidates whose
// boxes allow containment, in list order; every other item would fail the
// first containment test, which changes nothing.
#include "classify/fast_classification.h"
#include "classify/containment.h"

#include <algorithm>
#include <utility>

namespace quillform::detail {

void TFastClassification::Run() {
    Catalogue();
    while (contourList_->Count + circleList_->Count > 0) {
        bool progress = ContourPass();
        progress = CirclePass() || progress;
        if (progress)
            continue;
        // Contours that each lie inside another: the first one is taken.
        const auto first = std::find_if(contours_.begin(), contours_.end(),
                                        [](const Contour& c) { return c.alive; });
        if (first != contours_.end()) {
            TakeContour(static_cast<uint32_t>(first - contours_.begin()));
            continue;
        }
        const auto circle =
            std::find_if(circles_.begin(), circles_.end(), [](const Circle& c) { return c.alive; });
        if (circle != circles_.end())
            TakeCircle(static_cast<uint32_t>(circle - circles_.begin()));
    }
}

bool TFastClassification::ContourPass() {
    bool took = false;
    for (uint32_t c = 0; c < contours_.size(); ++c) {
        if (!contours_[c].alive || ContourInsideContour(c) || ContourInsideCircle(c))
            continue;
        TakeContour(c);
        took = true;
    }
    return took;
}

bool TFastClassification::CirclePass() {
    bool took = false;
    for (uint32_t k = 0; k < circles_.size(); ++k) {
        if (!circles_[k].alive || CircleInsideContour(k) || CircleInsideCircle(k))
            continue;
        TakeCircle(k);
        took = true;
    }
    return took;
}

// Live contours of the group with vertices in the box.
std::vector<uint32_t> TFastClassification::ContourCandidates(uint32_t group, const TBox& box) {
    std::vector<uint32_t> found;
    if (liveContours_[group] == liveVertexless_[group])
        return found;
    for (const uint32_t c : Meeting(*contourIndex_, group, box)) {
        const Contour& item = contours_[c];
        if (item.alive && item.hasVertices && !item.nanVertex && box.Covers(item.vertices))
            found.push_back(c);
    }
    return found;
}

// A contour without vertices lies inside every contour, so it becomes a hole
// only when no other contour of its group is left: never while a live
// contour with vertices is not among the candidates.
void TFastClassification::AddVertexless(uint32_t group, std::vector<uint32_t>& candidates) {
    if (liveVertexless_[group] == 0 ||
        liveContours_[group] != candidates.size() + liveVertexless_[group])
        return;
    for (const uint32_t c : vertexless_[group])
        if (contours_[c].alive)
            candidates.push_back(c);
}

// Live circles of the group whose boxes meet the box, in list order.
std::vector<uint32_t> TFastClassification::CircleCandidates(uint32_t group, const TBox& box) {
    std::vector<uint32_t> found;
    if (liveCircles_[group] == 0)
        return found;
    for (const uint32_t k : Meeting(*circleIndex_, group, box))
        if (circles_[k].alive)
            found.push_back(k);
    std::sort(found.begin(), found.end());
    return found;
}

void TFastClassification::CollectContourHoles(std::vector<uint32_t> candidates,
                                              const std::function<bool(uint32_t)>& within,
                                              THoleLists& lists, HoleSet& holes) {
    std::sort(candidates.begin(), candidates.end());
    for (const uint32_t c : candidates) {
        if (!within(c) || ContourInsideContour(c) || ContourInsideCircle(c) ||
            ContourInsideHole(c, holes))
            continue;
        // Into the hole list before out of the contour list: one of them
        // always holds it, even when memory runs out.
        lists.contours.Add(contours_[c].polygon);
        KillContour(c);
        contours_[c].holeOf = holes.part;
        holes.contours.push_back(c);
    }
}

void TFastClassification::CollectCircleHoles(const std::vector<uint32_t>& candidates,
                                             const std::function<bool(uint32_t)>& within,
                                             THoleLists& lists, HoleSet& holes) {
    for (const uint32_t k : candidates) {
        if (!within(k) || CircleInsideContour(k) || CircleInsideCircle(k) ||
            CircleInsideHole(k, holes))
            continue;
        lists.circles.Add(circles_[k].circle);
        KillCircle(k);
        circles_[k].holeOf = holes.part;
        holes.circles.push_back(k);
    }
}

void TFastClassification::ReleaseOutlines(const HoleSet& holes) {
    for (const uint32_t h : holes.contours)
        contours_[h].outline.reset();
}

void TFastClassification::TakeContour(uint32_t c) {
    Contour& outer = contours_[c];
    std::unique_ptr<part2d_any> part = filer_.ContourPart(*outer.polygon);
    KillContour(c);
    const TOwnedPolyline taken(outer.polygon); // out of the list: freed here, whatever happens
    const TSplitOutline& outline = OutlineOf(c);
    THoleLists lists;
    HoleSet holes;
    holes.part = parts_++;
    std::vector<uint32_t> candidates = ContourCandidates(outer.group, outer.bounds);
    AddVertexless(outer.group, candidates);
    CollectContourHoles(
        std::move(candidates),
        [&](uint32_t h) { return AllVerticesInOutline(outline, *contours_[h].polygon); }, lists,
        holes);
    CollectCircleHoles(
        CircleCandidates(outer.group, outer.bounds),
        [&](uint32_t k) {
            return CircleInsideOutline(*circles_[k].circle, *outer.polygon, outline);
        },
        lists, holes);
    filer_.Finish(std::move(part), outer.polygon->Layer.get(), lists);
    ReleaseOutlines(holes);
    outer.outline.reset();
}

void TFastClassification::TakeCircle(uint32_t k) {
    Circle& outer = circles_[k];
    std::unique_ptr<part2d_any> part = TShapeFiler::CirclePart(*outer.circle);
    KillCircle(k);
    const std::unique_ptr<TDXFCircle> taken(outer.circle);
    THoleLists lists;
    HoleSet holes;
    holes.part = parts_++;
    std::vector<uint32_t> candidates = ContourCandidates(outer.group, outer.reach);
    AddVertexless(outer.group, candidates);
    CollectContourHoles(
        std::move(candidates),
        [&](uint32_t h) { return VerticesWithinCircle(*contours_[h].polygon, *outer.circle); },
        lists, holes);
    CollectCircleHoles(
        CircleCandidates(outer.group, outer.reach),
        [&](uint32_t m) { return CircleHoleOfCircle(*outer.circle, *circles_[m].circle); }, lists,
        holes);
    filer_.Finish(std::move(part), outer.circle->Layer.get(), lists);
    ReleaseOutlines(holes);
}

namespace {
class TFastClassifier : public TShapeClassifier {
public:
    void Classify(TLista* contours, TLista* circles, TLayers& layers,
                  const quillform::Settings& options, TPartSink* sink) override {
        TFastClassification(contours, circles, layers, options, sink).Run();
    }
};
} // namespace

std::unique_ptr<TShapeClassifier> MakeFastClassifier() {
    return std::make_unique<TFastClassifier>();
}

} // namespace quillform::detail
