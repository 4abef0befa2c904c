// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Drawing geometry as CAD programs show it: inserts placed with base point,
// scale, mirroring, rotation, arrays and extrusion, nested blocks expanded
// once the whole file is read, object coordinate systems resolved, paper
// space left out, polylines kept whole with their arcs.
#include "collect/accurate_collector.h"
#include "expand/arc_chains.h"
#include "expand/block_expansion_accurate.h"
#include "expand/geometry_mode.h"

namespace {
class TAccurateGeometry : public TGeometryMode {
public:
    std::unique_ptr<Test_CreationClass> MakeCollector(const TEntityEvents& events,
                                                      TReadContext& context) const override {
        return std::make_unique<TAccurateCollector>(events, context.report);
    }

    void PrepareForLinking(Test_CreationClass& collector, TReadContext& context) const override {
        // This mode made the collector.
        auto& accurate = static_cast<TAccurateCollector&>(collector);
        accurate.FinishCollecting();
        ExpandModelSpace(accurate.Model(), accurate, context.report, {});
        KeepBulgesAsArcs(&accurate.Polylines, context.settings.tolerance);
    }

    void ScreenContours(TLista*, TReadContext&) const override {}
};
} // namespace

std::unique_ptr<TGeometryMode> MakeAccurateGeometry() {
    return std::make_unique<TAccurateGeometry>();
}
