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

// Holes collected for one shape stay few; past this many they get an index.
constexpr size_t kManyHoles = 8;
} // namespace

TFastClassification::TFastClassification(TLista* contours, TLista* circles, TLayers& layers,
                                         const TClassifyOptions& options)
    : contourList_(contours), circleList_(circles), filer_{layers, options} {}

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
    // An outline of fewer than two points contains nothing.
    item.outline = std::make_unique<TSplitOutline>(*item.polygon);
    const TBoundingBox& b = item.outline->Bounds;
    item.bounds = item.outline->Count < 2 ? kNoBox : TBox{b.MinX, b.MinY, b.MaxX, b.MaxY};
    contours_.push_back(std::move(item));
}

void TFastClassification::AddCircle(TListaNode* node) {
    Circle item;
    item.circle = static_cast<TDXFCircle*>(node->Item);
    item.node = node;
    item.group = groups_.GroupOf(item.circle->Layer.get());
    item.reach = ReachOf(*item.circle);
    circles_.push_back(item);
}

void TFastClassification::Catalogue() {
    for (TListaNode* node = contourList_->Head; node; node = node->Next)
        AddContour(node);
    for (TListaNode* node = circleList_->Head; node; node = node->Next)
        AddCircle(node);
    const uint32_t groups = groups_.Count();
    liveContours_.assign(groups, 0);
    liveCircles_.assign(groups, 0);
    liveVertexless_.assign(groups, 0);
    vertexless_.assign(groups, {});
    std::vector<TBoxIndex::Entry> entries;
    for (uint32_t c = 0; c < contours_.size(); ++c) {
        const Contour& item = contours_[c];
        ++liveContours_[item.group];
        if (!item.hasVertices) {
            ++liveVertexless_[item.group];
            vertexless_[item.group].push_back(c);
        }
        // Outlines of fewer than two points contain nothing, but their
        // vertices may still lie inside others.
        const TBox& box = item.bounds.Valid() ? item.bounds : item.vertices;
        entries.push_back(TBoxIndex::Entry{box, item.group, c});
    }
    contourIndex_ = std::make_unique<TBoxIndex>(entries);
    entries.clear();
    for (uint32_t k = 0; k < circles_.size(); ++k) {
        ++liveCircles_[circles_[k].group];
        entries.push_back(TBoxIndex::Entry{circles_[k].reach, circles_[k].group, k});
    }
    circleIndex_ = std::make_unique<TBoxIndex>(entries);
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
        answer.untested = candidates();
        std::sort(answer.untested.begin(), answer.untested.end());
        answer.listed = true;
    }
    while (!answer.untested.empty()) {
        const uint32_t o = answer.untested.back();
        answer.untested.pop_back();
        if (!alive(o) || !contains(o))
            continue;
        answer.state = Answer::kInside;
        answer.witness = o;
        if (answer.untested.size() > kKeep) {
            answer.untested = {};
            answer.listed = false;
        }
        return true;
    }
    answer.state = Answer::kOutside;
    answer.untested = {};
    return false;
}

// IsInsideOtherContour against the contour list.
bool TFastClassification::ContourInsideContour(uint32_t c) {
    Contour& item = contours_[c];
    if (!item.hasVertices) // inside every other contour of its group
        return liveContours_[item.group] > (item.alive ? 1u : 0u);
    if (item.nanVertex)
        return false;
    return Decide(
        item.inContour, [&](uint32_t o) { return contours_[o].alive; },
        [&](uint32_t o) { return AllVerticesInOutline(OutlineOf(o), *item.polygon); },
        [&] {
            std::vector<uint32_t> found;
            contourIndex_->Any(item.group, item.vertices, [&](uint32_t o) {
                const Contour& other = contours_[o];
                if (o != c && other.alive && other.bounds.Covers(item.vertices))
                    found.push_back(o);
                return false;
            });
            return found;
        });
}

// IsInsideAnyCircle against the circle list.
bool TFastClassification::ContourInsideCircle(uint32_t c) {
    Contour& item = contours_[c];
    if (!item.hasVertices) // inside every circle of its group
        return liveCircles_[item.group] > 0;
    if (item.nanVertex)
        return false;
    return Decide(
        item.inCircle, [&](uint32_t k) { return circles_[k].alive; },
        [&](uint32_t k) { return VerticesWithinCircle(*item.polygon, *circles_[k].circle); },
        [&] {
            std::vector<uint32_t> found;
            circleIndex_->Any(item.group, item.vertices, [&](uint32_t k) {
                if (circles_[k].alive && circles_[k].reach.Covers(item.vertices))
                    found.push_back(k);
                return false;
            });
            return found;
        });
}

// IsInsideAnyContour against the contour list.
bool TFastClassification::CircleInsideContour(uint32_t k) {
    Circle& item = circles_[k];
    const TPoint2D centre = item.circle->Center;
    if (std::isnan(centre.X) || std::isnan(centre.Y))
        return false;
    return Decide(
        item.inContour, [&](uint32_t o) { return contours_[o].alive; },
        [&](uint32_t o) {
            return CircleInsideOutline(*item.circle, *contours_[o].polygon, OutlineOf(o));
        },
        [&] {
            std::vector<uint32_t> found;
            contourIndex_->Any(item.group, PointBox(centre), [&](uint32_t o) {
                if (contours_[o].alive && contours_[o].bounds.Holds(centre.X, centre.Y))
                    found.push_back(o);
                return false;
            });
            return found;
        });
}

// IsInsideOtherCircle against the circle list.
bool TFastClassification::CircleInsideCircle(uint32_t k) {
    Circle& item = circles_[k];
    // A NaN, or an infinite own radius, is never strictly inside anything.
    if (!item.reach.Valid() || item.circle->Radius == kInf)
        return false;
    return Decide(
        item.inCircle, [&](uint32_t m) { return circles_[m].alive; },
        [&](uint32_t m) { return ::CircleInsideCircle(*item.circle, *circles_[m].circle); },
        [&] {
            std::vector<uint32_t> found;
            circleIndex_->Any(item.group, item.reach, [&](uint32_t m) {
                if (m != k && circles_[m].alive)
                    found.push_back(m);
                return false;
            });
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
        return contours_[h].bounds.Covers(item.vertices) &&
               AllVerticesInOutline(OutlineOf(h), *item.polygon);
    };
    const auto inHoleCircle = [&](uint32_t m) {
        return circles_[m].reach.Covers(item.vertices) &&
               VerticesWithinCircle(*item.polygon, *circles_[m].circle);
    };
    if (holes.contourIndex
            ? holes.contourIndex->Any(item.group, item.vertices, inHoleContour)
            : std::any_of(holes.contours.begin(), holes.contours.end(), inHoleContour))
        return true;
    return holes.circleIndex
               ? holes.circleIndex->Any(item.group, item.vertices, inHoleCircle)
               : std::any_of(holes.circles.begin(), holes.circles.end(), inHoleCircle);
}

// IsInsideAnyHole of a circle: inside a hole contour or strictly inside a hole circle.
bool TFastClassification::CircleInsideHole(uint32_t k, const HoleSet& holes) {
    const Circle& item = circles_[k];
    const TPoint2D centre = item.circle->Center;
    const auto inHoleContour = [&](uint32_t h) {
        return contours_[h].bounds.Holds(centre.X, centre.Y) &&
               CircleInsideOutline(*item.circle, *contours_[h].polygon, OutlineOf(h));
    };
    const auto inHoleCircle = [&](uint32_t m) {
        return Meet(circles_[m].reach, item.reach) &&
               ::CircleInsideCircle(*item.circle, *circles_[m].circle);
    };
    if (holes.contourIndex
            ? holes.contourIndex->Any(item.group, PointBox(centre), inHoleContour)
            : std::any_of(holes.contours.begin(), holes.contours.end(), inHoleContour))
        return true;
    return holes.circleIndex
               ? holes.circleIndex->Any(item.group, item.reach, inHoleCircle)
               : std::any_of(holes.circles.begin(), holes.circles.end(), inHoleCircle);
}

void TFastClassification::AddHoleContour(HoleSet& holes, uint32_t c) {
    holes.contours.push_back(c);
    const auto entry = [&](uint32_t h) {
        return TBoxIndex::Entry{contours_[h].bounds, contours_[h].group, h};
    };
    if (holes.contourIndex) {
        holes.contourIndex->Insert(entry(c));
    } else if (holes.contours.size() > kManyHoles) {
        holes.contourIndex = std::make_unique<TBoxIndex>();
        for (const uint32_t h : holes.contours)
            holes.contourIndex->Insert(entry(h));
    }
}

void TFastClassification::AddHoleCircle(HoleSet& holes, uint32_t k) {
    holes.circles.push_back(k);
    const auto entry = [&](uint32_t m) {
        return TBoxIndex::Entry{circles_[m].reach, circles_[m].group, m};
    };
    if (holes.circleIndex) {
        holes.circleIndex->Insert(entry(k));
    } else if (holes.circles.size() > kManyHoles) {
        holes.circleIndex = std::make_unique<TBoxIndex>();
        for (const uint32_t m : holes.circles)
            holes.circleIndex->Insert(entry(m));
    }
}
