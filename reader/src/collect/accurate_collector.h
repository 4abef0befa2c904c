// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "collect/collector.h"
#include "expand/block_model.h"

#include "quillform/read_report.h"

#include <map>

// The collector of the accurate geometry rules. Events are raised exactly as
// the reader's own collector raises them; what is kept differs: entities
// are brought from their object coordinate systems into the plane, paper
// space is left out, and block definitions (with their nested inserts) and
// model-space inserts are kept in file order for expansion once the whole
// file has been read.
class TAccurateCollector : public Test_CreationClass {
public:
    TAccurateCollector(const TEntityEvents& events, TReadReport& report);

    void addBlock(const DL_BlockData& data) override;
    void endBlock() override;
    void addPolyline(const DL_PolylineData& data) override;

    // Flushes the last polyline into its block or model space.
    void FinishCollecting();
    const TDrawingModel& Model() const { return model_; }

protected:
    void KeepSegment(TDXFSegment* segment) override;
    void KeepArc(TDXFArc* arc) override;
    void KeepCircle(TDXFCircle* circle) override;
    void KeepPolyline(TDXFPolygon* polyline) override;
    void KeepInsert(const DL_InsertData& data, const std::string& layer) override;

private:
    // Where the entity being read lands: the open block or model space; null
    // when it is left out (paper space), after counting it.
    TBlockContents* Target();
    // Its object coordinate system in the plane; false (after a warning) when
    // its plane is not parallel to the drawing's.
    bool EntityPlane(TAffine2D* map, const char* layer);
    template <typename Entity, typename Mapper> void KeepMapped(Entity* entity, Mapper mapper);

    TReadReport& report_;
    TDrawingModel model_;
    TBlockContents* openBlock_ = nullptr;
    bool openBlockIsPaper_ = false;
    // The pending polyline's plane and space, taken when its header is read.
    struct PolylineSetting {
        TAffine2D plane;
        bool planar = true;
        bool paper = false;
        bool mesh = false;
    } pending_;
};
