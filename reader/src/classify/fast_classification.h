// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "classify/box_index.h"
#include "classify/candidate_stack.h"
#include "classify/layer_groups.h"
#include "classify/shape_filing.h"

#include "classify/split_outline.h"

#include <functional>
#include <memory>
#include <vector>

namespace quillform::detail {

// The classification passes of the literal engine, walk for walk, with each
// containment test answered from an index: an item's candidates are the
// items of its group whose boxes could contain it, visited until one does;
// split outlines are built once per contour; and an answer found once is
// kept while it still holds (a container still in the lists still contains
// the item; an item outside everything stays outside, as items only leave).
class TFastClassification {
public:
    TFastClassification(TLista* contours, TLista* circles, TLayers& layers,
                        const quillform::Settings& options, TPartSink* sink);
    void Run();

private:
    static constexpr uint32_t kNone = UINT32_MAX;

    // A cached answer to "is it inside something in the lists?". Containment
    // between two items never changes and items only leave the lists, so a
    // container proves kInside while it stays, kOutside is final, and a
    // candidate once tested need not be tested again.
    // One per item and question, so kept small: members are ordered to
    // leave no padding.
    struct Answer {
        enum State : uint8_t { kUnknown, kInside, kOutside } state = kUnknown;
        bool listed = false;
        uint32_t witness = kNone; // the container that proved kInside
        TCandidateStack untested; // candidates, ascending, tested from the back
    };
    struct Contour {
        TDXFPolygon* polygon = nullptr;
        TListaNode* node = nullptr;
        std::unique_ptr<TSplitOutline> outline;
        TBox vertices{0, 0, 0, 0}; // box of the vertex points
        TBox bounds{0, 0, 0, 0};   // the split outline's bounds
        Answer inContour, inCircle;
        uint32_t group = 0;
        uint32_t holeOf = kNone; // the part it became a hole of
        bool alive = true;
        bool hasVertices = false;
        bool nanVertex = false;
    };
    struct Circle {
        TDXFCircle* circle = nullptr;
        TListaNode* node = nullptr;
        TBox reach{0, 0, 0, 0}; // every point within |radius| + tolerance of the centre
        Answer inContour, inCircle;
        uint32_t group = 0;
        uint32_t holeOf = kNone;
        bool alive = true;
    };
    // The holes one part has collected so far; past a few, they are found
    // through the indexes of all items, by their holeOf.
    struct HoleSet {
        uint32_t part = 0;
        std::vector<uint32_t> contours, circles;
    };

    TLista* contourList_;
    TLista* circleList_;
    TShapeFiler filer_;
    TLayerGroups groups_;
    std::vector<Contour> contours_; // in list order
    std::vector<Circle> circles_;
    std::vector<uint32_t> liveContours_, liveCircles_, liveVertexless_; // per group
    std::vector<std::vector<uint32_t>> vertexless_;                     // per group
    std::unique_ptr<TBoxIndex> contourIndex_, circleIndex_;
    uint32_t parts_ = 0;
    std::vector<uint32_t> found_; // scratch for index queries

    // Catalogue (fast_containment.cpp).
    void Catalogue();
    void AddContour(TListaNode* node);
    void AddCircle(TListaNode* node);
    const TSplitOutline& OutlineOf(uint32_t c);
    void KillContour(uint32_t c);
    void KillCircle(uint32_t k);

    template <typename Alive, typename Contains, typename Candidates>
    static bool Decide(Answer& answer, Alive alive, Contains contains, Candidates candidates);

    // The literal predicates against the lists as they stand.
    bool ContourInsideContour(uint32_t c);
    bool ContourInsideCircle(uint32_t c);
    bool CircleInsideContour(uint32_t k);
    bool CircleInsideCircle(uint32_t k);
    bool ContourInsideHole(uint32_t c, const HoleSet& holes);
    bool CircleInsideHole(uint32_t k, const HoleSet& holes);
    const std::vector<uint32_t>& Meeting(const TBoxIndex& index, uint32_t group, const TBox& box);
    template <typename Test>
    bool AnyHole(const std::vector<uint32_t>& holes, const TBoxIndex& index, uint32_t group,
                 const TBox& box, Test test);

    // Passes and parts (fast_classifier.cpp).
    bool ContourPass();
    bool CirclePass();
    void TakeContour(uint32_t c);
    void TakeCircle(uint32_t k);
    std::vector<uint32_t> ContourCandidates(uint32_t group, const TBox& box);
    void AddVertexless(uint32_t group, std::vector<uint32_t>& candidates);
    std::vector<uint32_t> CircleCandidates(uint32_t group, const TBox& box);
    void CollectContourHoles(std::vector<uint32_t> candidates,
                             const std::function<bool(uint32_t)>& within, THoleLists& lists,
                             HoleSet& holes);
    void CollectCircleHoles(const std::vector<uint32_t>& candidates,
                            const std::function<bool(uint32_t)>& within, THoleLists& lists,
                            HoleSet& holes);
    void ReleaseOutlines(const HoleSet& holes);
};

} // namespace quillform::detail
