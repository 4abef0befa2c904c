// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/basic_records.h"
#include "quillform/lista.h"
#include "quillform/owned_name.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <string_view>
#include <type_traits>
#include <unordered_set>

namespace quillform::detail {

// Names compare byte-wise; null equals only null.
bool SameName(const char* a, const char* b);

// Polyline items are untyped (flags integer first, then vertices), so every item is
// a plain record freed with FreePlainItem whatever its type.
template <typename T> T* NewPlainItem() {
    static_assert(std::is_trivially_destructible_v<T>, "plain items are freed untyped");
    void* memory = std::calloc(1, sizeof(T));
    if (!memory)
        throw std::bad_alloc();
    return new (memory) T();
}
inline void FreePlainItem(void* item) {
    std::free(item);
}

} // namespace quillform::detail

struct TRealSegment {
    double X1 = 0;
    double Y1 = 0;
    double X2 = 0;
    double Y2 = 0;
};

struct TDXFSegment : TRealSegment {
    quillform::OwnedName Layer;
};

struct TDXFArc : TArc {
    quillform::OwnedName Layer;
};

class TDXFPolygon;

struct TDXFCircle : TCircle {
    quillform::OwnedName Layer;

    // Classification (tolerance 1e-6; only candidates of the same layer count).
    bool IsInsideContour(const TDXFPolygon* contour) const;
    bool IsInsideOtherCircle(const TListaNode* ownNode, const TLista* circles) const;
    bool IsInsideAnyContour(const TLista* contours) const;
    bool IsInsideAnyHole(const TLista* holeContours, const TLista* holeCircles) const;
    // Moves this outer circle's direct holes into the hole lists; *position
    // (the caller's place in the circle list) moves past removed nodes.
    void CollectHoles(TLista* contours, TLista* circles, TListaNode** position,
                      TLista* holeContours, TLista* holeCircles) const;
};

// One vertex of a raw polyline or of a contour.
struct dxf_info {
    uint8_t is_arc = 0;
    double x = 0;
    double y = 0;
    double center_x = 0;
    double center_y = 0;
    double radius = 0;
    double start_angle = 0;
    double end_angle = 0;
    double sweep = 0;
    uint8_t clockwise = 0;
    double bulge = 0;
};

// A raw polyline (item 0 is the int32_t flags, then dxf_info vertices) or a
// contour (dxf_info vertices only). Items are freed by ClearVertices, never by
// the destructor.
struct TPolygon;

class TDXFPolygon : public TLista {
public:
    quillform::OwnedName Layer;

    // Contour form: the item after node, wrapping to the first item.
    dxf_info* NextItem(const TListaNode* node) const;
    // Raw form: the vertex after node, wrapping past the flags item.
    dxf_info* NextVertex(const TListaNode* node) const;
    void ClearVertices();
    // Adds a plain item (a vertex, the flags) that the polygon then owns; the
    // item is freed if the list cannot grow.
    void AddPlain(void* item);
    void InsertPlain(int32_t index, void* item);

    // Fills a polygon constructed with this contour's vertex count.
    void CopyToPolygon(TPolygon* polygon) const;

    // Classification of contours (tolerance 1e-6; same layer only).
    int32_t CountSplitPoints(double tolerance) const;
    void SplitOutline(TPoint2D* points, TArc* edges, int32_t* count, double tolerance) const;
    bool IsInsideCircle(const TDXFCircle* circle) const;
    bool IsInsideOtherContour(const TListaNode* ownNode, const TLista* contours) const;
    bool IsInsideAnyCircle(const TLista* circles) const;
    bool IsInsideAnyHole(const TLista* holeContours, const TLista* holeCircles) const;
    // Moves this outer contour's direct holes into the hole lists; *position
    // (the caller's place in the contour list) moves past removed nodes.
    void CollectHoles(TLista* contours, TLista* circles, TListaNode** position,
                      TLista* holeContours, TLista* holeCircles) const;
};

// A block definition. Its base point stays (0, 0, 0): inserts rotate about the
// block's own origin.
struct block {
    quillform::OwnedName name;
    double base_x = 0;
    double base_y = 0;
    double base_z = 0;
    TLista segments;
    TLista arcs;
    TLista circles;
    TLista polygons;

    block() = default;
    ~block();
    block(const block&) = delete;
    block& operator=(const block&) = delete;
};

// Registry of layer names in order of registration; owns its name strings.
// Names leave it only through Clear.
class TLayersName : public TLista {
public:
    ~TLayersName() override;
    // A hash lookup: the collector asks once per entity.
    bool Contains(const char* name) const;
    void AddName(const char* name);
    void Clear();

private:
    // The names of the nodes up to indexedTail_, extended on demand.
    mutable std::unordered_set<std::string_view> index_;
    mutable bool hasNullName_ = false;
    mutable const TListaNode* indexedTail_ = nullptr;

    void CatchUp() const;
};

// Empty a list of contours (TDXFPolygon) or of circles, destroying each.
void FreeContours(TLista* list);
void FreeCircles(TLista* list);

namespace quillform::detail {
// Frees a raw polyline: its items, then the polygon itself.
void DestroyPolygon(TDXFPolygon* polygon);

struct TPolylineDeleter {
    void operator()(TDXFPolygon* polyline) const { DestroyPolygon(polyline); }
};
using TOwnedPolyline = std::unique_ptr<TDXFPolygon, TPolylineDeleter>;
void FreeSegments(TLista* list);
void FreeArcs(TLista* list);

// Appends an item the list then holds; when the list cannot grow, the item
// is freed by its owner as the failure leaves.
template <typename Owned> void AddOwned(TLista& list, Owned item) {
    list.Add(item.get());
    item.release();
}
} // namespace quillform::detail
