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
    const TSplitOutline outline(*item.polygon);
    const TBoundingBox& b = outline.Bounds;
    item.bounds = outline.Count < 2 ? kNoBox : TBox{b.MinX, b.MinY, b.MaxX, b.MaxY};
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

// IsInsideOtherContour against the contour list.
bool TFastClassification::ContourInsideContour(uint32_t c) {
    Contour& item = contours_[c];
    if (!item.hasVertices) // inside every other contour of its group
        return liveContours_[item.group] > (item.alive ? 1u : 0u);
    Answer& answer = item.inContour;
    if (item.nanVertex || answer.state == Answer::kOutside)
        return false;
    if (answer.state == Answer::kInside && contours_[answer.witness].alive)
        return true;
    const bool inside = contourIndex_->Any(item.group, item.vertices, [&](uint32_t o) {
        const Contour& other = contours_[o];
        if (o == c || !other.alive || !other.bounds.Covers(item.vertices) ||
            !AllVerticesInOutline(OutlineOf(o), *item.polygon))
            return false;
        answer.witness = o;
        return true;
    });
    answer.state = inside ? Answer::kInside : Answer::kOutside;
    return inside;
}

// IsInsideAnyCircle against the circle list.
bool TFastClassification::ContourInsideCircle(uint32_t c) {
    Contour& item = contours_[c];
    if (!item.hasVertices) // inside every circle of its group
        return liveCircles_[item.group] > 0;
    Answer& answer = item.inCircle;
    if (item.nanVertex || answer.state == Answer::kOutside)
        return false;
    if (answer.state == Answer::kInside && circles_[answer.witness].alive)
        return true;
    const bool inside = circleIndex_->Any(item.group, item.vertices, [&](uint32_t k) {
        const Circle& circle = circles_[k];
        if (!circle.alive || !circle.reach.Covers(item.vertices) ||
            !VerticesWithinCircle(*item.polygon, *circle.circle))
            return false;
        answer.witness = k;
        return true;
    });
    answer.state = inside ? Answer::kInside : Answer::kOutside;
    return inside;
}

// IsInsideAnyContour against the contour list.
bool TFastClassification::CircleInsideContour(uint32_t k) {
    Circle& item = circles_[k];
    const TPoint2D centre = item.circle->Center;
    Answer& answer = item.inContour;
    if (std::isnan(centre.X) || std::isnan(centre.Y) || answer.state == Answer::kOutside)
        return false;
    if (answer.state == Answer::kInside && contours_[answer.witness].alive)
        return true;
    const bool inside = contourIndex_->Any(item.group, PointBox(centre), [&](uint32_t o) {
        const Contour& other = contours_[o];
        if (!other.alive || !other.bounds.Holds(centre.X, centre.Y) ||
            !CircleInsideOutline(*item.circle, *other.polygon, OutlineOf(o)))
            return false;
        answer.witness = o;
        return true;
    });
    answer.state = inside ? Answer::kInside : Answer::kOutside;
    return inside;
}

// IsInsideOtherCircle against the circle list.
bool TFastClassification::CircleInsideCircle(uint32_t k) {
    Circle& item = circles_[k];
    Answer& answer = item.inCircle;
    // A NaN, or an infinite own radius, is never strictly inside anything.
    if (!item.reach.Valid() || item.circle->Radius == kInf || answer.state == Answer::kOutside)
        return false;
    if (answer.state == Answer::kInside && circles_[answer.witness].alive)
        return true;
    const bool inside = circleIndex_->Any(item.group, item.reach, [&](uint32_t m) {
        if (m == k || !circles_[m].alive ||
            !::CircleInsideCircle(*item.circle, *circles_[m].circle))
            return false;
        answer.witness = m;
        return true;
    });
    answer.state = inside ? Answer::kInside : Answer::kOutside;
    return inside;
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
