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
#include "expand/edge_overlaps.h"
#include "link/moved_arc_ends.h"
#include "pipeline/geometry_mode.h"

namespace quillform::detail {

namespace {
class TAccurateGeometry : public TGeometryMode {
public:
    // The collector keeps block definitions and inserts in this mode's block
    // model, which expansion then reads.
    std::unique_ptr<Test_CreationClass> MakeCollector(const quillform::EntityEvents& events,
                                                      TReadContext& context) override {
        return std::make_unique<TAccurateCollector>(events, context.report, context.budget, model_);
    }

    void PrepareForLinking(quillform::detail::TEntityLists& lists, TReadContext& context) override {
        TExpansionRules rules;
        rules.curveTolerance =
            EffectiveCurveTolerance(context.settings, context.report.unit.millimetres);
        rules.bulgeTolerance = context.settings.tolerance;
        rules.budget = &context.budget;
        ExpandModelSpace(model_, lists, context.report, rules);
        // Everything linking needs is in the lists now: the definitions go
        // before the larger half of the read begins.
        model_ = TDrawingModel();
        KeepBulgesAsArcs(&lists.Polylines, context.settings.tolerance);
        context.drawingSize = DrawingSize(lists);
        const TOverlapsFound overlaps =
            NoteEdgeOverlaps(lists, SameGeometry(context), context.report);
        RemoveDuplicates(lists, SameGeometry(context), context.report);
        MergeEdgeOverlaps(lists, SameGeometry(context), overlaps, context.report);
    }

    // Nearest ends first, so that an edge shorter than the distance is not
    // passed over nor closed on itself while its neighbours meet it.
    std::unique_ptr<TContourLinker> MakeLinker(quillform::Engine engine) const override {
        return MakeNearestLinker(engine);
    }

    void ScreenContours(TLista* contours, TReadContext& context) override {
        KeepArcSidesAtMovedEnds(contours);
        RemoveDegenerateOutlines(contours, SameGeometry(context), context.report);
    }

private:
    TDrawingModel model_;

    // Two places a billionth of the drawing's size apart are one place.
    static double SameGeometry(const TReadContext& context) { return 1e-9 * context.drawingSize; }
};
} // namespace

std::unique_ptr<TGeometryMode> MakeAccurateGeometry() {
    return std::make_unique<TAccurateGeometry>();
}

} // namespace quillform::detail
