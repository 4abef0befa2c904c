// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// The cut-ready DXF: a HEADER with the unit and extents, the symbol tables
// dxflib's own examples write, the two layout blocks, and in ENTITIES each
// part's holes and then its outline. No OBJECTS section: the one dxflib
// writes names owners that do not exist (ezdxf repairs a dozen), and R2000
// readers make the standard objects themselves when it is missing.
#include "dxf_sheet.h"

#include "contour_geometry.h"
#include "dxf_layers.h"
#include "dxf_text_writer.h"

#include <dl_dxf.h>

namespace quillform::detail {
namespace {
constexpr int kClosed = 1; // polyline flag

class SheetWriter {
public:
    SheetWriter(const DxfSheet& sheet, bool keepLayers, std::string& text)
        : sheet_(sheet), layers_(keepLayers), dw_(text) {
        DeclareLayers();
    }

    void Body() {
        Tables();
        Blocks();
        Entities();
        dw_.dxfEOF();
    }

    unsigned long NextHandle() const { return dw_.getNextHandle(); }

private:
    // Every layer the entities use, in the order they use them.
    void DeclareLayers() {
        for (const CutPart* part : sheet_.parts) {
            if (!part->holes.empty())
                layers_.Name(part->layer->name, ContourRole::Inner);
            if (part->outline)
                layers_.Name(part->layer->name, ContourRole::Outer);
        }
        for (const OpenChain* chain : sheet_.openChains)
            layers_.Name(chain->layer, ContourRole::Open);
    }

    void Tables() {
        dw_.sectionTables();
        dxf_.writeVPort(dw_);
        dw_.tableLinetypes(3);
        dxf_.writeLinetype(dw_, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
        dxf_.writeLinetype(dw_, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
        dxf_.writeLinetype(dw_, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
        dw_.tableEnd();
        LayerTable();
        dw_.tableStyle(1);
        dxf_.writeStyle(dw_, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
        dw_.tableEnd();
        dxf_.writeView(dw_);
        dxf_.writeUcs(dw_);
        dw_.tableAppid(1);
        dxf_.writeAppid(dw_, "ACAD");
        dw_.tableEnd();
        dxf_.writeDimStyle(dw_, 1, 1, 1, 1, 1);
        BlockRecords();
        dw_.sectionEnd();
    }

    void LayerTable() {
        const auto& declared = layers_.Declared();
        dw_.tableLayers(static_cast<int>(declared.size()));
        for (const CutLayers::Entry& layer : declared)
            dxf_.writeLayer(dw_, DL_LayerData(layer.name, 0),
                            DL_Attributes("", layer.color, -1, -1, "CONTINUOUS"));
        dw_.tableEnd();
    }

    // The records of the model and paper space blocks. dxflib's own record
    // table also names a second paper space whose layout lives in the
    // OBJECTS section, which this file does not need.
    void BlockRecords() {
        dw_.table("BLOCK_RECORD", 2, 1);
        for (const char* name : {"*Model_Space", "*Paper_Space"}) {
            dw_.dxfString(0, "BLOCK_RECORD");
            dw_.handle();
            dw_.dxfHex(330, 1);
            dw_.dxfString(100, "AcDbSymbolTableRecord");
            dw_.dxfString(100, "AcDbBlockTableRecord");
            dw_.dxfString(2, name);
        }
        dw_.tableEnd();
    }

    void Blocks() {
        dw_.sectionBlocks();
        for (const char* name : {"*Model_Space", "*Paper_Space"}) {
            dxf_.writeBlock(dw_, DL_BlockData(name, 0, 0.0, 0.0, 0.0));
            dxf_.writeEndBlock(dw_, name);
        }
        dw_.sectionEnd();
    }

    void Entities() {
        dw_.sectionEntities();
        for (const CutPart* part : sheet_.parts) {
            const std::string& layer = part->layer->name;
            for (const Outline* hole : part->holes)
                Contour(Placed(*hole, false, sheet_.shift),
                        layers_.Name(layer, ContourRole::Inner));
            if (part->outline)
                Contour(Placed(*part->outline, true, sheet_.shift),
                        layers_.Name(layer, ContourRole::Outer));
        }
        for (const OpenChain* chain : sheet_.openChains)
            Polyline(WithoutWholeTurns(Moved(chain->vertices, sheet_.shift)), false,
                     layers_.Name(chain->layer, ContourRole::Open));
        dw_.sectionEnd();
    }

    void Contour(const Outline& outline, const std::string& layer) {
        if (outline.kind == OutlineKind::Circle) {
            const Circle& c = outline.circle;
            dxf_.writeCircle(dw_, DL_CircleData(c.center.x, c.center.y, 0, c.radius),
                             Attributes(layer));
            return;
        }
        Polyline(WithoutWholeTurns(outline.vertices), true, layer);
    }

    void Polyline(const std::vector<Vertex>& v, bool closed, const std::string& layer) {
        dxf_.writePolyline(dw_,
                           DL_PolylineData(static_cast<int>(v.size()), 0, 0, closed ? kClosed : 0),
                           Attributes(layer));
        for (size_t k = 0; k < v.size(); ++k) {
            const bool edge = closed || k + 1 < v.size();
            const double bulge = edge ? Bulge(v[k], v[(k + 1) % v.size()]) : 0;
            dxf_.writeVertex(dw_, DL_VertexData(v[k].x, v[k].y, 0, bulge));
        }
        dxf_.writePolylineEnd(dw_);
    }

    static DL_Attributes Attributes(const std::string& layer) {
        return DL_Attributes(layer, 256, -1, "BYLAYER", 1.0); // colour and line type by layer
    }

    const DxfSheet& sheet_;
    CutLayers layers_;
    DL_Dxf dxf_;
    DxfTextWriter dw_;
};

bool Imperial(const Unit& unit) {
    for (const char* name : {"in", "ft", "mi", "uin", "mil", "yd"})
        if (unit.name == name)
            return true;
    return false;
}

void Point3(DxfTextWriter& dw, const char* variable, double x, double y) {
    dw.dxfString(9, variable);
    dw.coord(10, x, y, 0);
}

// The header goes before the tables but names the next free handle, so it
// is written last.
std::string Header(const DxfSheet& sheet, unsigned long handseed) {
    std::string text;
    DxfTextWriter dw(text);
    dw.sectionHeader();
    dw.dxfString(9, "$ACADVER");
    dw.dxfString(1, "AC1015");
    dw.dxfString(9, "$HANDSEED");
    dw.dxfHex(5, static_cast<int>(handseed));
    dw.dxfString(9, "$DWGCODEPAGE");
    dw.dxfString(3, "ANSI_1252");
    dw.dxfString(9, "$INSUNITS");
    dw.dxfInt(70, sheet.unit.code);
    if (sheet.unit.millimetres > 0) {
        dw.dxfString(9, "$MEASUREMENT");
        dw.dxfInt(70, Imperial(sheet.unit) ? 0 : 1);
    }
    const Bounds& b = sheet.bounds;
    const Point s = sheet.shift;
    constexpr double kNone = 1e20; // what AutoCAD writes for a drawing without extents
    Point3(dw, "$EXTMIN", sheet.empty ? kNone : b.minX + s.x, sheet.empty ? kNone : b.minY + s.y);
    Point3(dw, "$EXTMAX", sheet.empty ? -kNone : b.maxX + s.x, sheet.empty ? -kNone : b.maxY + s.y);
    dw.sectionEnd();
    return text;
}
} // namespace

DxfSheet WholeSheet(const CutContent& content) {
    DxfSheet sheet;
    for (const CutPart& part : content.parts)
        sheet.parts.push_back(&part);
    sheet.openChains = content.openChains;
    sheet.bounds = content.bounds;
    sheet.empty = content.empty;
    sheet.unit = ContentUnit(content);
    return sheet;
}

std::string DxfText(const DxfSheet& sheet, bool keepLayers) {
    std::string body;
    SheetWriter writer(sheet, keepLayers, body);
    writer.Body();
    return Header(sheet, writer.NextHandle()) + body;
}

} // namespace quillform::detail
