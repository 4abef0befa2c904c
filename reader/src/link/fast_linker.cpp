// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Linking with the literal scan's results in n log n time: where the scan
// walks the lists from their heads for the first entity that joins, an
// index of entity ends answers with the earliest entity (segments, then
// arcs, then polylines, each in list order) that has an end within reach.
// Seeding, joining and closing are the literal steps themselves. Linking
// nearest first asks the same index for the nearest end instead.
#include "link/contour_building.h"
#include "link/end_index.h"
#include "link/linker.h"
#include "link/nearest_first.h"
#include "model/name_interner.h"

#include <cassert>
#include <utility>

namespace quillform::detail {

namespace {
enum Kind : uint8_t { kSegment, kArc, kPolyline };

struct Entity {
    void* item;
    TListaNode* node;
    Kind kind;
    uint32_t group;
};

class TFastLink {
public:
    TFastLink(quillform::detail::TEntityLists& lists, const TLinkOptions& options,
              bool nearestFirst)
        : lists_(lists), options_(options), nearestFirst_(nearestFirst) {}

    void Run(TLista* contours, int32_t* status);

private:
    quillform::detail::TEntityLists& lists_;
    const TLinkOptions& options_;
    const bool nearestFirst_;
    std::vector<Entity> entities_; // by key: list order, segments first
    std::unique_ptr<TEndIndex> index_;

    std::vector<bool> consumed_;
    uint32_t next_[3] = {0, 0, 0};    // first key of each kind that may still be there
    uint32_t kindEnd_[3] = {0, 0, 0}; // one past the last key of each kind

    // The last answer for each end of the contour: while that end stays put
    // and its entity is still there, it is still the earliest (entities only leave).
    struct EndAnswer {
        TPoint2D point;
        uint32_t key = TEndIndex::kNone;
        bool valid = false;
    };
    EndAnswer atFirst_, atLast_;
    // The same for nearest-first linking.
    struct NearAnswer {
        TPoint2D point;
        TEndIndex::Nearness nearness;
        bool valid = false;
    };
    NearAnswer nearFirst_, nearLast_;

    TEndOffer NearestAt(NearAnswer& answer, TPoint2D point, uint32_t group);
    bool AttachNearest(TDXFPolygon* contour, uint32_t group);

    uint32_t EarliestAt(EndAnswer& answer, TPoint2D point, uint32_t group);
    void Catalogue();
    void Add(TLista& list, Kind kind, TNameInterner& layers, std::vector<TEndIndex::End>& ends);
    uint32_t SeedKey();
    bool AttachNext(TDXFPolygon* contour, uint32_t group);
    bool Join(const Entity& entity, TDXFPolygon* contour) const;
    void Consume(uint32_t key);
};

const char* LayerOf(const void* item, Kind kind) {
    switch (kind) {
    case kSegment:
        return static_cast<const TDXFSegment*>(item)->Layer.get();
    case kArc:
        return static_cast<const TDXFArc*>(item)->Layer.get();
    default:
        return static_cast<const TDXFPolygon*>(item)->Layer.get();
    }
}

// The two ends of an entity as MatchPairing sees them: start, then end.
std::pair<TPoint2D, TPoint2D> EndsOf(const void* item, Kind kind) {
    switch (kind) {
    case kSegment: {
        const auto* s = static_cast<const TDXFSegment*>(item);
        return {TPoint2D(s->X1, s->Y1), TPoint2D(s->X2, s->Y2)};
    }
    case kArc: {
        const auto* a = static_cast<const TDXFArc*>(item);
        return {TPoint2D(a->StartX, a->StartY), TPoint2D(a->EndX, a->EndY)};
    }
    default: {
        const auto* p = static_cast<const TDXFPolygon*>(item);
        return {PointOf(static_cast<const dxf_info*>(p->Head->Next->Item)),
                PointOf(static_cast<const dxf_info*>(p->Tail->Item))};
    }
    }
}

void TFastLink::Add(TLista& list, Kind kind, TNameInterner& layers,
                    std::vector<TEndIndex::End>& ends) {
    for (TListaNode* node = list.Head; node; node = node->Next) {
        const uint32_t group = options_.mixLayers ? 0 : layers.IdOf(LayerOf(node->Item, kind));
        const auto key = static_cast<uint32_t>(entities_.size());
        entities_.push_back(Entity{node->Item, node, kind, group});
        const auto [start, end] = EndsOf(node->Item, kind);
        ends.push_back(TEndIndex::End{start.X, start.Y, key, group});
        ends.push_back(TEndIndex::End{end.X, end.Y, key, group});
    }
}

void TFastLink::Catalogue() {
    TNameInterner layers;
    // Sized once: a large drawing's catalogue is never copied while it grows.
    const size_t count = static_cast<size_t>(lists_.Segments.Count) +
                         static_cast<size_t>(lists_.Arcs.Count) +
                         static_cast<size_t>(lists_.Polylines.Count);
    entities_.reserve(count);
    std::vector<TEndIndex::End> ends;
    ends.reserve(2 * count);
    Add(lists_.Segments, kSegment, layers, ends);
    kindEnd_[kSegment] = next_[kArc] = static_cast<uint32_t>(entities_.size());
    Add(lists_.Arcs, kArc, layers, ends);
    kindEnd_[kArc] = next_[kPolyline] = static_cast<uint32_t>(entities_.size());
    Add(lists_.Polylines, kPolyline, layers, ends);
    kindEnd_[kPolyline] = static_cast<uint32_t>(entities_.size());
    consumed_.assign(entities_.size(), false);
    const uint32_t groups = options_.mixLayers ? 1 : layers.Count();
    index_ = std::make_unique<TEndIndex>(std::move(ends), static_cast<uint32_t>(entities_.size()),
                                         groups, options_.linkingDistance);
}

// The entity StartContour takes: the head of the first non-empty list. Keys
// of a kind follow list order and entities leave only through seeding and
// Consume, so each list's head is the first key of its kind still there.
uint32_t TFastLink::SeedKey() {
    for (int kind = kSegment; kind <= kPolyline; ++kind) {
        uint32_t& next = next_[kind];
        while (next < kindEnd_[kind] && consumed_[next])
            ++next;
        if (next < kindEnd_[kind])
            return next;
    }
    return TEndIndex::kNone;
}

TEndOffer TFastLink::NearestAt(NearAnswer& answer, TPoint2D point, uint32_t group) {
    if (!answer.valid || answer.point.X != point.X || answer.point.Y != point.Y ||
        (answer.nearness.key != TEndIndex::kNone && consumed_[answer.nearness.key]))
        answer = NearAnswer{point, index_->Nearest(group, point), true};
    const uint32_t key = answer.nearness.key;
    if (key == TEndIndex::kNone)
        return TEndOffer();
    const auto [start, end] = EndsOf(entities_[key].item, entities_[key].kind);
    const bool atEnd = EndIsNearer(EndDistance(start, point), EndDistance(end, point));
    return TEndOffer{key, answer.nearness.distance, atEnd};
}

bool TFastLink::AttachNearest(TDXFPolygon* contour, uint32_t group) {
    const TEndOffer atFirst = NearestAt(nearFirst_, PointOf(FirstVertex(contour)), group);
    const TEndOffer atLast = NearestAt(nearLast_, PointOf(LastVertex(contour)), group);
    const int pairing = ChooseNearest(*contour, atFirst, atLast, options_.linkingDistance);
    if (pairing == kNoPairing)
        return false;
    const uint32_t key = pairing >= kStartNearLast ? atLast.rank : atFirst.rank;
    const Entity& entity = entities_[key];
    switch (entity.kind) {
    case kSegment:
        JoinSegmentAt(*static_cast<const TDXFSegment*>(entity.item), contour, pairing);
        break;
    case kArc:
        JoinArcAt(*static_cast<const TDXFArc*>(entity.item), contour, pairing);
        break;
    default:
        JoinPolylineAt(*static_cast<const TDXFPolygon*>(entity.item), contour, pairing);
        break;
    }
    Consume(key);
    return true;
}

bool TFastLink::Join(const Entity& entity, TDXFPolygon* contour) const {
    const double d = options_.linkingDistance;
    switch (entity.kind) {
    case kSegment:
        return JoinSegment(*static_cast<const TDXFSegment*>(entity.item), contour, d);
    case kArc:
        return JoinArc(*static_cast<const TDXFArc*>(entity.item), contour, d);
    default:
        return JoinPolyline(*static_cast<const TDXFPolygon*>(entity.item), contour, d);
    }
}

void TFastLink::Consume(uint32_t key) {
    const Entity& entity = entities_[key];
    switch (entity.kind) {
    case kSegment:
        delete static_cast<TDXFSegment*>(entity.item);
        lists_.Segments.Remove(entity.node);
        break;
    case kArc:
        delete static_cast<TDXFArc*>(entity.item);
        lists_.Arcs.Remove(entity.node);
        break;
    default:
        DestroyPolygon(static_cast<TDXFPolygon*>(entity.item));
        lists_.Polylines.Remove(entity.node);
        break;
    }
    consumed_[key] = true;
    index_->Remove(key);
}

uint32_t TFastLink::EarliestAt(EndAnswer& answer, TPoint2D point, uint32_t group) {
    if (!answer.valid || answer.point.X != point.X || answer.point.Y != point.Y ||
        (answer.key != TEndIndex::kNone && consumed_[answer.key]))
        answer = EndAnswer{point, index_->Earliest(group, point), true};
    return answer.key;
}

bool TFastLink::AttachNext(TDXFPolygon* contour, uint32_t group) {
    const uint32_t atFirst = EarliestAt(atFirst_, PointOf(FirstVertex(contour)), group);
    const uint32_t atLast = EarliestAt(atLast_, PointOf(LastVertex(contour)), group);
    const uint32_t key = std::min(atFirst, atLast);
    if (key == TEndIndex::kNone)
        return false;
    const bool joined = Join(entities_[key], contour);
    assert(joined && "the index proposes only entities that join");
    if (!joined)
        return false;
    Consume(key);
    return true;
}

void TFastLink::Run(TLista* contours, int32_t* status) {
    if (lists_.Segments.Count == 0 && lists_.Arcs.Count == 0 && lists_.Polylines.Count == 0)
        return;
    MoveClosedPolylines(lists_.Polylines, contours);
    DropPolylinesWithoutVertices(lists_.Polylines);
    Catalogue();
    while (lists_.Segments.Count + lists_.Arcs.Count + lists_.Polylines.Count > 0) {
        TOwnedPolyline owned(new TDXFPolygon());
        TDXFPolygon* contour = owned.get();
        const uint32_t seed = SeedKey();
        assert(seed == TEndIndex::kNone || entities_[seed].node->Item == entities_[seed].item);
        contour->Layer =
            StartContour(lists_.Segments, lists_.Arcs, lists_.Polylines, contour, status);
        uint32_t group = 0;
        if (seed != TEndIndex::kNone) {
            group = entities_[seed].group;
            consumed_[seed] = true;
            index_->Remove(seed);
        }
        atFirst_ = atLast_ = EndAnswer();
        nearFirst_ = nearLast_ = NearAnswer();
        bool attached = contour->Count > 0;
        while (*status == 0 && attached)
            attached = nearestFirst_ ? AttachNearest(contour, group) : AttachNext(contour, group);
        if (*status != 0 || contour->Count == 0)
            continue;
        if (nearestFirst_)
            CloseAcrossShortEnd(contour, options_.linkingDistance);
        FinishContour(std::move(owned), contours, status, options_.linkingDistance,
                      options_.openContourMode, options_.openChains);
        if (*status != 0)
            return;
    }
}

class TFastLinker : public TContourLinker {
public:
    explicit TFastLinker(bool nearestFirst) : nearestFirst_(nearestFirst) {}
    void Link(quillform::detail::TEntityLists& entities, TLista* contours, int32_t* status,
              const TLinkOptions& options) override {
        TFastLink(entities, options, nearestFirst_).Run(contours, status);
    }

private:
    bool nearestFirst_;
};
} // namespace

std::unique_ptr<TContourLinker> MakeFastLinker() {
    return std::make_unique<TFastLinker>(false);
}

std::unique_ptr<TContourLinker> MakeFastNearestLinker() {
    return std::make_unique<TFastLinker>(true);
}

} // namespace quillform::detail
