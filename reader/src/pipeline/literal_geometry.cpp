// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The reader's own simplified rules: inserts placed by rotation and insertion
// point as they are read, every bulged polyline exploded into plain edges.
#include "pipeline/geometry_mode.h"

#include "expand/bulge_explosion.h"
#include "expand/drawing_extent.h"
#include "expand/edge_overlaps.h"

namespace quillform::detail {

namespace {
class TLiteralGeometry : public TGeometryMode {
public:
    std::unique_ptr<Test_CreationClass> MakeCollector(const quillform::EntityEvents& events,
                                                      TReadContext& context) override {
        return std::make_unique<Test_CreationClass>(events, &context.report, &context.budget);
    }
    void PrepareForLinking(quillform::detail::TEntityLists& lists, TReadContext& context) override {
        ExplodeBulgedPolylines(lists, context.settings.tolerance);
        // Only noted: these rules cut what the drawing holds.
        context.drawingSize = DrawingSize(lists);
        context.sizeHolds = true; // the notes leave the lists as they are
        NoteEdgeOverlaps(lists, 1e-9 * context.drawingSize, context.report);
    }
    // The first entity in list order with an end within reach joins.
    std::unique_ptr<TContourLinker> MakeLinker(quillform::Engine engine) const override {
        return quillform::detail::MakeLinker(engine);
    }
    void ScreenContours(TLista*, TReadContext&) override {}
};
} // namespace

std::unique_ptr<TGeometryMode> MakeLiteralGeometry() {
    return std::make_unique<TLiteralGeometry>();
}

} // namespace quillform::detail
