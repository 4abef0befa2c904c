// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/basic_records.h"
#include "quillform/export.h"
#include "quillform/lista.h"
#include "quillform/owned_name.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

struct TPolygonVertex {
    int32_t Tag = 0;
    double X = 0;
    double Y = 0;
};

// A closed outline: Arcs[k] describes the edge from Points[k] to Points[(k+1) % Count].
struct QUILLFORM_EXPORT TPolygon {
    std::unique_ptr<TPolygonVertex[]> Points;
    std::unique_ptr<TArc[]> Arcs;
    int32_t Count = 0;
    double Spare1 = 0;
    double Spare2 = 0;
    TBoundingBox Bounds;

    explicit TPolygon(int32_t count = 0);
    TPolygon(const TPolygon&) = delete;
    TPolygon& operator=(const TPolygon&) = delete;

    void CalcBoundingBox(double tolerance);
};

// Reserved for offset outlines, which nothing computes: always absent.
struct TOffsetPolygon : TPolygon {
    double Offset[4] = {0, 0, 0, 0};
};

struct QUILLFORM_EXPORT TOffsetCircle : TCircle {
    double Offset[4] = {0, 0, 0, 0};
    ~TOffsetCircle();
};

namespace quillform {
// The kinds of a part and of a hole.
enum : uint8_t { kShapePolygon = 0, kShapeCircle = 1, kShapeNone = 255 };
} // namespace quillform

// A polygon or a circle, owning whichever it holds.
struct QUILLFORM_EXPORT TBaseShape {
    uint8_t Kind = quillform::kShapePolygon;
    std::unique_ptr<TPolygon> Polygon;
    std::unique_ptr<TCircle> Circle;
    TBoundingBox Bounds;

    TBaseShape() = default;
    ~TBaseShape() { Clear(); }
    TBaseShape(const TBaseShape&) = delete;
    TBaseShape& operator=(const TBaseShape&) = delete;

    void Clear();
};

struct QUILLFORM_EXPORT TTrueHole {
    // Header members that only keep their constructed values.
    uint8_t Flag1 = 0;
    uint8_t Flag2 = 0;
    int32_t Index = -1;
    double Value = 0;
    TBaseShape Shape;

    TTrueHole() = default;
    ~TTrueHole();
};

// One part: an outer polygon or circle with its direct holes.
struct QUILLFORM_EXPORT part2d_any {
    uint8_t Kind = quillform::kShapeNone;
    std::unique_ptr<TTrueHole[]> Holes;
    int32_t HoleCount = 0;
    // Alternative hole sets, never filled (element count: ReservedHoleSetCount).
    std::unique_ptr<std::unique_ptr<TTrueHole[]>[]> ReservedHoleSetsA;
    std::unique_ptr<std::unique_ptr<TTrueHole[]>[]> ReservedHoleSetsB;
    std::unique_ptr<TPolygon> Polygon;
    std::unique_ptr<TPolygon[]> ReservedPolygons;
    std::unique_ptr<TOffsetPolygon[]> ReservedOffsetPolygons;
    std::unique_ptr<TCircle> Circle;
    std::unique_ptr<TCircle> ReservedCircle;
    std::unique_ptr<TOffsetCircle> ReservedOffsetCircle;
    std::unique_ptr<unsigned char[]> ReservedBufferA;
    int32_t ReservedInt13 = 0;
    int32_t ReservedInt14 = -1;
    int32_t ReservedHoleSetCount = 0;
    int32_t ReservedInt16 = -1;
    int32_t ReservedInt17 = 0;
    std::unique_ptr<unsigned char[]> ReservedBufferB;
    double ReservedDoubles[4] = {0, 0, 0, 0};
    TPoint2D ReservedPoint;

    part2d_any() = default;
    ~part2d_any() { Clear(); }
    part2d_any(const part2d_any&) = delete;
    part2d_any& operator=(const part2d_any&) = delete;

    void Clear();
    // Builds the hole array: polygon holes first, then circle holes.
    void SetHoles(const TLista* holeContours, const TLista* holeCircles);
};

// The results of one layer: its name and its parts (owned). Parts are only
// appended to Shapes until the layer is destroyed.
struct QUILLFORM_EXPORT TLayer {
    quillform::OwnedName Name;
    TLista Shapes;

    explicit TLayer(const char* name) : Name(quillform::CopyName(name)) {}
    ~TLayer();
    TLayer(const TLayer&) = delete;
    TLayer& operator=(const TLayer&) = delete;

    // The part at a position in Shapes, or null; constant time once the
    // parts filed so far are indexed.
    const part2d_any* ShapeAt(int32_t index) const;

private:
    mutable std::vector<const part2d_any*> byPosition_;
    mutable const TListaNode* indexedTail_ = nullptr;
};

// The layers of one read. Layers are only appended until Clear.
class TLayers : public TLista {
public:
    ~TLayers() override { Clear(); }
    // The first layer whose name matches exactly, or null: a hash lookup.
    QUILLFORM_EXPORT TLayer* Find(const char* name) const;
    // As GetItem: a negative index gives the first layer, one past the end none.
    QUILLFORM_EXPORT TLayer* LayerAt(int32_t index) const;
    QUILLFORM_EXPORT void Clear();

private:
    mutable std::unordered_map<std::string_view, TLayer*> byName_;
    mutable TLayer* firstUnnamed_ = nullptr;
    mutable std::vector<TLayer*> byPosition_;
    mutable const TListaNode* indexedTail_ = nullptr;

    void CatchUp() const;
};
