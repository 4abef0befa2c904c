// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The items of the fast classification and its containment tests: each test
// draws candidates from a box index and lets the literal pairwise test of
// containment.h decide, so it answers exactly as the literal scan does.
#include "classify/containment.h"
#include "classify/fast_classification.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quillform::detail {

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const TBox kNoBox{kNaN, kNaN, kNaN, kNaN};

const dxf_info& VertexOf(const TListaNode* node) {
    return *static_cast<const dxf_info*>(node->Item);
}

// Every point within |radius| + tolerance of the centre, with room for the
// rounding of the distance; a NaN makes no box, an infinite radius covers
// the whole plane.
TBox ReachOf(const TDXFCircle& circle) {
    const double r = std::fabs(circle.Radius), cx = circle.Center.X, cy = circle.Center.Y;
    if (std::isnan(r) || std::isnan(cx) || std::isnan(cy))
        return kNoBox;
    const double reach = r + 2 * kClassificationTolerance +
                         1e-9 * (r + std::max(std::fabs(cx), std::fabs(cy))) + 1e-150;
    if (std::isinf(reach))
        return TBox{-kInf, -kInf, kInf, kInf};
    return TBox{cx - reach, cy - reach, cx + reach, cy + reach};
}

TBox PointBox(const TPoint2D& p) {
    return TBox{p.X, p.Y, p.X, p.Y};
}

bool Meet(const TBox& a, const TBox& b) {
    return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}
} // namespace

TFastClassification::TFastClassification(TLista* contours, TLista* circles, TLayers& layers,
                                         const quillform::Settings& options, TPartSink* sink)
    : contourList_(contours), circleList_(circles), filer_{layers, options, sink},
      groups_(options.holesAcrossLayers) {}

void TFastClassification::AddContour(TListaNode* node) {
    Contour item;
    item.polygon = static_cast<TDXFPolygon*>(node->Item);
    item.node = node;
    item.group = groups_.GroupOf(item.polygon->Layer.get());
    item.hasVertices = item.polygon->Count > 0;
    TBox& v = item.vertices;
    v = TBox{kInf, kInf, -kInf, -kInf};
    for (const TListaNode* n = item.polygon->Head; n; n = n->Next) {
        const double x = VertexOf(n).x, y = VertexOf(n).y;
        if (std::isnan(x) || std::isnan(y)) {
            item.nanVertex = true;
            continue;
        }
        v = TBox{std::min(v.minX, x), std::min(v.minY, y), std::max(v.maxX, x),
                 std::max(v.maxY, y)};
    }
    // An outline of fewer than two points contains nothing. The outline
    // itself is built when the contour is first tried as a container.
    int32_t points = 0;
    const TBoundingBox b = SplitOutlineBounds(*item.polygon, &points);
    item.bounds = points < 2 ? kNoBox : TBox{b.MinX, b.MinY, b.MaxX, b.MaxY};
    contours_.push_back(std::move(item));
}

void TFastClassification::AddCircle(TListaNode* node) {
    Circle item;
    item.circle = static_cast<TDXFCircle*>(node->Item);
    item.node = node;
    item.group = groups_.GroupOf(item.circle->Layer.get());
    item.reach = ReachOf(*item.circle);
    circles_.push_back(std::move(item));
}

void TFastClassification::Catalogue() {
    contours_.reserve(static_cast<size_t>(contourList_->Count));
    circles_.reserve(static_cast<size_t>(circleList_->Count));
    for (TListaNode* node = contourList_->Head; node; node = node->Next)
        AddContour(node);
    for (TListaNode* node = circleList_->Head; node; node = node->Next)
        AddCircle(node);
    const uint32_t groups = groups_.Count();
    liveContours_.assign(groups, 0);
    liveCircles_.assign(groups, 0);
    liveVertexless_.assign(groups, 0);
    vertexless_.assign(groups, {});
    for (uint32_t c = 0; c < contours_.size(); ++c) {
        const Contour& item = contours_[c];
        ++liveContours_[item.group];
        if (!item.hasVertices) {
            ++liveVertexless_[item.group];
            vertexless_[item.group].push_back(c);
        }
    }
    for (const Circle& item : circles_)
        ++liveCircles_[item.group];
    contourIndex_ = std::make_unique<
        TBoxIndex>(static_cast<uint32_t>(contours_.size()), [this](uint32_t c) {
        // Outlines of fewer than two points contain nothing, but their
        // vertices may still lie inside others.
        const Contour& item = contours_[c];
        return TBoxIndex::Entry{item.bounds.Valid() ? item.bounds : item.vertices, item.group, c};
    });
    circleIndex_ =
        std::make_unique<TBoxIndex>(static_cast<uint32_t>(circles_.size()), [this](uint32_t k) {
            return TBoxIndex::Entry{circles_[k].reach, circles_[k].group, k};
        });
}

const TSplitOutline& TFastClassification::OutlineOf(uint32_t c) {
    Contour& item = contours_[c];
    if (!item.outline)
        item.outline = std::make_unique<TSplitOutline>(*item.polygon);
    return *item.outline;
}

void TFastClassification::KillContour(uint32_t c) {
    Contour& item = contours_[c];
    item.alive = false;
    contourList_->Remove(item.node);
    --liveContours_[item.group];
    if (!item.hasVertices)
        --liveVertexless_[item.group];
}

void TFastClassification::KillCircle(uint32_t k) {
    Circle& item = circles_[k];
    item.alive = false;
    circleList_->Remove(item.node);
    --liveCircles_[item.group];
}

// The latest candidate is tried first: containers are taken in list order,
// so it is the one most likely to stay in the lists. A long list of
// candidates is not kept; it is asked for again when its witness leaves.
template <typename Alive, typename Contains, typename Candidates>
bool TFastClassification::Decide(Answer& answer, Alive alive, Contains contains,
                                 Candidates candidates) {
    constexpr size_t kKeep = 16;
    if (answer.state == Answer::kOutside)
        return false;
    if (answer.state == Answer::kInside && alive(answer.witness))
        return true;
    if (!answer.listed) {
        std::vector<uint32_t> found = candidates();
        std::sort(found.begin(), found.end());
        answer.untested.Assign(found);
        answer.listed = true;
    }
    while (!answer.untested.Empty()) {
        const uint32_t o = answer.untested.Pop();
        if (!alive(o) || !contains(o))
            continue;
        answer.state = Answer::kInside;
        answer.witness = o;
        if (answer.untested.Size() > kKeep) {
            answer.untested.Clear();
            answer.listed = false;
        }
        return true;
    }
    answer.state = Answer::kOutside;
    answer.untested.Clear();
    return false;
}

// IsInsideOtherContour against the contour list.
bool TFastClassification::ContourInsideContour(uint32_t c) {
    Contour& item = contours_[c];
    const uint32_t others = liveContours_[item.group] - (item.alive ? 1u : 0u);
    if (!item.hasVertices) // inside every other contour of its group
        return others > 0;
    if (item.nanVertex || others == 0)
        return false;
    return Decide(
        item.inContour, [&](uint32_t o) { return contours_[o].alive; },
        [&](uint32_t o) { return AllVerticesInOutline(OutlineOf(o), *item.polygon); },
        [&] {
            std::vector<uint32_t> found;
            for (const uint32_t o : Meeting(*contourIndex_, item.group, item.vertices))
                if (o != c && contours_[o].alive && contours_[o].bounds.Covers(item.vertices))
                    found.push_back(o);
            return found;
        });
}

// IsInsideAnyCircle against the circle list.
bool TFastClassification::ContourInsideCircle(uint32_t c) {
    Contour& item = contours_[c];
    if (!item.hasVertices) // inside every circle of its group
        return liveCircles_[item.group] > 0;
    if (item.nanVertex || liveCircles_[item.group] == 0)
        return false;
    return Decide(
        item.inCircle, [&](uint32_t k) { return circles_[k].alive; },
        [&](uint32_t k) { return VerticesWithinCircle(*item.polygon, *circles_[k].circle); },
        [&] {
            std::vector<uint32_t> found;
            for (const uint32_t k : Meeting(*circleIndex_, item.group, item.vertices))
                if (circles_[k].alive && circles_[k].reach.Covers(item.vertices))
                    found.push_back(k);
            return found;
        });
}

// IsInsideAnyContour against the contour list.
bool TFastClassification::CircleInsideContour(uint32_t k) {
    Circle& item = circles_[k];
    const TPoint2D centre = item.circle->Center;
    if (std::isnan(centre.X) || std::isnan(centre.Y) || liveContours_[item.group] == 0)
        return false;
    return Decide(
        item.inContour, [&](uint32_t o) { return contours_[o].alive; },
        [&](uint32_t o) {
            return CircleInsideOutline(*item.circle, *contours_[o].polygon, OutlineOf(o));
        },
        [&] {
            std::vector<uint32_t> found;
            for (const uint32_t o : Meeting(*contourIndex_, item.group, PointBox(centre)))
                if (contours_[o].alive && contours_[o].bounds.Holds(centre.X, centre.Y))
                    found.push_back(o);
            return found;
        });
}

// IsInsideOtherCircle against the circle list.
bool TFastClassification::CircleInsideCircle(uint32_t k) {
    Circle& item = circles_[k];
    // A NaN, or an infinite own radius, is never strictly inside anything.
    const uint32_t others = liveCircles_[item.group] - (item.alive ? 1u : 0u);
    if (!item.reach.Valid() || item.circle->Radius == kInf || others == 0)
        return false;
    return Decide(
        item.inCircle, [&](uint32_t m) { return circles_[m].alive; },
        [&](uint32_t m) { return detail::CircleInsideCircle(*item.circle, *circles_[m].circle); },
        [&] {
            std::vector<uint32_t> found;
            for (const uint32_t m : Meeting(*circleIndex_, item.group, item.reach))
                if (m != k && circles_[m].alive)
                    found.push_back(m);
            return found;
        });
}

// IsInsideAnyHole of a contour: inside a hole contour or a hole circle.
bool TFastClassification::ContourInsideHole(uint32_t c, const HoleSet& holes) {
    const Contour& item = contours_[c];
    if (!item.hasVertices)
        return !holes.contours.empty() || !holes.circles.empty();
    if (item.nanVertex)
        return false;
    const auto inHoleContour = [&](uint32_t h) {
        return contours_[h].holeOf == holes.part && contours_[h].bounds.Covers(item.vertices) &&
               AllVerticesInOutline(OutlineOf(h), *item.polygon);
    };
    const auto inHoleCircle = [&](uint32_t m) {
        return circles_[m].holeOf == holes.part && circles_[m].reach.Covers(item.vertices) &&
               VerticesWithinCircle(*item.polygon, *circles_[m].circle);
    };
    return AnyHole(holes.contours, *contourIndex_, item.group, item.vertices, inHoleContour) ||
           AnyHole(holes.circles, *circleIndex_, item.group, item.vertices, inHoleCircle);
}

// IsInsideAnyHole of a circle: inside a hole contour or strictly inside a hole circle.
bool TFastClassification::CircleInsideHole(uint32_t k, const HoleSet& holes) {
    const Circle& item = circles_[k];
    const TPoint2D centre = item.circle->Center;
    const auto inHoleContour = [&](uint32_t h) {
        return contours_[h].holeOf == holes.part && contours_[h].bounds.Holds(centre.X, centre.Y) &&
               CircleInsideOutline(*item.circle, *contours_[h].polygon, OutlineOf(h));
    };
    const auto inHoleCircle = [&](uint32_t m) {
        return circles_[m].holeOf == holes.part && Meet(circles_[m].reach, item.reach) &&
               detail::CircleInsideCircle(*item.circle, *circles_[m].circle);
    };
    return AnyHole(holes.contours, *contourIndex_, item.group, PointBox(centre), inHoleContour) ||
           AnyHole(holes.circles, *circleIndex_, item.group, item.reach, inHoleCircle);
}

// A few holes are tried one by one; many are found through the index of all
// items, which proposes every item whose box meets, holes of this part among them.
template <typename Test>
bool TFastClassification::AnyHole(const std::vector<uint32_t>& holes, const TBoxIndex& index,
                                  uint32_t group, const TBox& box, Test test) {
    constexpr size_t kFew = 8;
    if (holes.size() <= kFew)
        return std::any_of(holes.begin(), holes.end(), test);
    const std::vector<uint32_t>& found = Meeting(index, group, box);
    return std::any_of(found.begin(), found.end(), test);
}

const std::vector<uint32_t>& TFastClassification::Meeting(const TBoxIndex& index, uint32_t group,
                                                          const TBox& box) {
    found_.clear();
    index.Meeting(group, box, found_);
    return found_;
}

} // namespace quillform::detail
