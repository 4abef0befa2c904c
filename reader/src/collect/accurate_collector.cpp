// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collect/accurate_collector.h"

#include "expand/entity_mapping.h"

#include <dl_extrusion.h>

#include <algorithm>
#include <cctype>

namespace {
// Polyline flags: 3-D polylines hold world coordinates; meshes hold faces, not outlines.
constexpr int kPolyline3d = 8;
constexpr int kPolygonMesh = 16;
constexpr int kPolyfaceMesh = 64;

bool IsPaperSpaceBlock(const std::string& name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.rfind("*paper_space", 0) == 0;
}
} // namespace

TAccurateCollector::TAccurateCollector(const TEntityEvents& events, TReadReport& report)
    : Test_CreationClass(events), report_(report) {}

void TAccurateCollector::addBlock(const DL_BlockData& data) {
    Test_CreationClass::addBlock(data); // flushes into the block that was open
    model_.blocks.push_back(std::make_unique<TBlockContents>());
    openBlock_ = model_.blocks.back().get();
    openBlock_->name = data.name;
    openBlock_->base = TPoint2D(data.bpx, data.bpy);
    openBlockIsPaper_ = IsPaperSpaceBlock(data.name);
}

void TAccurateCollector::endBlock() {
    Test_CreationClass::endBlock();
    openBlock_ = nullptr;
    openBlockIsPaper_ = false;
}

void TAccurateCollector::FinishCollecting() {
    Flush();
}

TBlockContents* TAccurateCollector::Target() {
    if (openBlockIsPaper_ || getAttributes().isInPaperSpace())
        return nullptr;
    return openBlock_ ? openBlock_ : &model_.modelSpace;
}

bool TAccurateCollector::EntityPlane(TAffine2D* map, const char* layer) {
    const double* n = getExtrusion()->getDirection();
    if (ObjectToWorld(n[0], n[1], n[2], map))
        return true;
    report_.Warn("tiltedPlane", layer ? layer : "");
    return false;
}

template <typename Entity, typename Mapper>
void TAccurateCollector::KeepMapped(Entity* entity, Mapper mapper) {
    std::unique_ptr<Entity> owned(entity);
    TBlockContents* target = Target();
    TAffine2D plane;
    if (!target || !EntityPlane(&plane, entity->Layer.get()))
        return;
    if (plane.IsIdentity()) {
        target->items.emplace_back(std::move(owned));
        return;
    }
    auto mapped = mapper(*entity, plane, entity->Layer.get());
    if (mapped)
        target->items.emplace_back(std::move(mapped));
}

void TAccurateCollector::KeepSegment(TDXFSegment* segment) {
    // Lines are written in world coordinates whatever their extrusion.
    std::unique_ptr<TDXFSegment> owned(segment);
    if (TBlockContents* target = Target())
        target->items.emplace_back(std::move(owned));
}

void TAccurateCollector::KeepArc(TDXFArc* arc) {
    KeepMapped(arc, MapArc);
}

void TAccurateCollector::KeepCircle(TDXFCircle* circle) {
    KeepMapped(circle, MapCircle);
}

void TAccurateCollector::addPolyline(const DL_PolylineData& data) {
    Test_CreationClass::addPolyline(data); // flushes the previous polyline first
    pending_ = PolylineSetting();
    pending_.paper = Target() == nullptr;
    pending_.mesh = (data.flags & (kPolygonMesh | kPolyfaceMesh)) != 0;
    if (!(data.flags & kPolyline3d)) {
        const double* n = getExtrusion()->getDirection();
        pending_.planar = ObjectToWorld(n[0], n[1], n[2], &pending_.plane);
    }
}

void TAccurateCollector::KeepPolyline(TDXFPolygon* polyline) {
    TOwnedPolyline owned(polyline);
    if (pending_.paper)
        return;
    const char* layer = polyline->Layer ? polyline->Layer.get() : "";
    if (pending_.mesh) {
        report_.Warn("meshLeftOut", layer);
        return;
    }
    if (!pending_.planar) {
        report_.Warn("tiltedPlane", layer);
        return;
    }
    TBlockContents* target = openBlock_ ? openBlock_ : &model_.modelSpace;
    if (!pending_.plane.IsIdentity())
        owned.reset(MapPolyline(*polyline, pending_.plane, layer));
    target->items.emplace_back(std::move(owned));
}

void TAccurateCollector::KeepInsert(const DL_InsertData& data, const std::string& layer) {
    TBlockContents* target = Target();
    TAffine2D plane;
    if (!target || !EntityPlane(&plane, layer.c_str()))
        return;
    TInsertItem insert{data.name, layer, {}};
    const int columns = std::max(1, data.cols), rows = std::max(1, data.rows);
    const TAffine2D scale = TAffine2D::Scaling(data.sx, data.sy);
    const TAffine2D place = TAffine2D::Rotation(data.angle)
                                .Then(TAffine2D::Translation(data.ipx, data.ipy))
                                .Then(plane);
    // Cells row by row; the spacing is along the rotated axes and not scaled.
    // Cells that fall on the same place (a spacing of 0) are one copy.
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            const double dx = column * data.colSp, dy = row * data.rowSp;
            if ((column > 0 && dx == 0) || (row > 0 && dy == 0))
                continue;
            insert.cells.push_back(scale.Then(TAffine2D::Translation(dx, dy)).Then(place));
        }
    target->items.emplace_back(std::move(insert));
}
