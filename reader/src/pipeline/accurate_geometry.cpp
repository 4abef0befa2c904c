// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Drawing geometry as CAD programs show it: inserts placed with base point,
// scale, mirroring, rotation, arrays and extrusion, nested blocks expanded
// once the whole file is read, object coordinate systems resolved, paper
// space left out, polylines kept whole with their arcs.
#include "collect/accurate_collector.h"
#include "expand/arc_chains.h"
#include "expand/block_expansion_accurate.h"
#include "expand/degenerate_outlines.h"
#include "expand/duplicates.h"
#include "pipeline/geometry_mode.h"

namespace {
class TAccurateGeometry : public TGeometryMode {
public:
    std::unique_ptr<Test_CreationClass> MakeCollector(const TEntityEvents& events,
                                                      TReadContext& context) const override {
        return std::make_unique<TAccurateCollector>(events, context.report, context.budget);
    }

    // This mode made the collector, so the casts below are sound.
    void FinishCollecting(Test_CreationClass& collector, TReadContext&) const override {
        static_cast<TAccurateCollector&>(collector).FinishCollecting();
    }

    void PrepareForLinking(Test_CreationClass& collector, TReadContext& context) const override {
        auto& accurate = static_cast<TAccurateCollector&>(collector);
        TExpansionRules rules;
        rules.curveTolerance =
            EffectiveCurveTolerance(context.settings, context.report.unit.millimetres);
        rules.bulgeTolerance = context.settings.tolerance;
        rules.spend = [&context](int64_t entities) { context.budget.Spend(entities); };
        ExpandModelSpace(accurate.Model(), accurate, context.report, rules);
        KeepBulgesAsArcs(&accurate.Polylines, context.settings.tolerance);
        context.drawingSize = DrawingSize(accurate);
        RemoveDuplicates(accurate, SameGeometry(context), context.report);
    }

    void ScreenContours(TLista* contours, TReadContext& context) const override {
        RemoveDegenerateOutlines(contours, SameGeometry(context), context.report);
    }

private:
    // Two places a billionth of the drawing's size apart are one place.
    static double SameGeometry(const TReadContext& context) { return 1e-9 * context.drawingSize; }
};
} // namespace

std::unique_ptr<TGeometryMode> MakeAccurateGeometry() {
    return std::make_unique<TAccurateGeometry>();
}
