// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// What a read leaves unused, counted by kind: entities the reader does not
// read at all, and what the reader's own geometry rules do not apply.
#include "collect/collector.h"

#include <dl_extrusion.h>

using namespace quillform::detail;

namespace {
constexpr const char* kAccurateUses = "--accurate would use them";
constexpr const char* kAccurateLeavesOut = "--accurate leaves them out";
} // namespace

void Test_CreationClass::Ignore(const char* type, const char* hint) {
    if (report_)
        report_->Ignore(type, hint);
}

void Test_CreationClass::addPoint(const DL_PointData&) {
    Ignore("POINT");
}
void Test_CreationClass::addXLine(const DL_XLineData&) {
    Ignore("XLINE");
}
void Test_CreationClass::addRay(const DL_RayData&) {
    Ignore("RAY");
}
void Test_CreationClass::addEllipse(const DL_EllipseData&) {
    Ignore("ELLIPSE", kAccurateUses);
}
void Test_CreationClass::addSpline(const DL_SplineData&) {
    Ignore("SPLINE", kAccurateUses);
}
void Test_CreationClass::addTrace(const DL_TraceData&) {
    Ignore("TRACE");
}
void Test_CreationClass::add3dFace(const DL_3dFaceData&) {
    Ignore("3DFACE");
}
void Test_CreationClass::addSolid(const DL_SolidData&) {
    Ignore("SOLID");
}
void Test_CreationClass::addMText(const DL_MTextData& data) {
    Ignore("MTEXT");
    NoteText(data.ipx, data.ipy);
}
void Test_CreationClass::addText(const DL_TextData& data) {
    Ignore("TEXT");
    NoteText(data.ipx, data.ipy);
}
void Test_CreationClass::addArcAlignedText(const DL_ArcAlignedTextData&) {
    Ignore("ARCALIGNEDTEXT");
}
void Test_CreationClass::addAttribute(const DL_AttributeData& data) {
    Ignore("ATTRIB");
    NoteText(data.ipx, data.ipy);
}
// Where text lies on a layer: a cutting machine never cuts it. Text inside
// a block definition has no place in the drawing until inserted, so it is
// left out.
void Test_CreationClass::NoteText(double x, double y) {
    if (report_ && !CurrentBlock)
        report_->Note("text", EntityLayer(), quillform::Point{x, y});
}
void Test_CreationClass::addDimAlign(const DL_DimensionData&, const DL_DimAlignedData&) {
    Ignore("DIMENSION");
}
void Test_CreationClass::addDimLinear(const DL_DimensionData&, const DL_DimLinearData&) {
    Ignore("DIMENSION");
}
void Test_CreationClass::addDimRadial(const DL_DimensionData&, const DL_DimRadialData&) {
    Ignore("DIMENSION");
}
void Test_CreationClass::addDimDiametric(const DL_DimensionData&, const DL_DimDiametricData&) {
    Ignore("DIMENSION");
}
void Test_CreationClass::addDimAngular(const DL_DimensionData&, const DL_DimAngular2LData&) {
    Ignore("DIMENSION");
}
void Test_CreationClass::addDimAngular3P(const DL_DimensionData&, const DL_DimAngular3PData&) {
    Ignore("DIMENSION");
}
void Test_CreationClass::addDimOrdinate(const DL_DimensionData&, const DL_DimOrdinateData&) {
    Ignore("DIMENSION");
}
void Test_CreationClass::addLeader(const DL_LeaderData&) {
    Ignore("LEADER");
}
void Test_CreationClass::addHatch(const DL_HatchData&) {
    Ignore("HATCH");
}
void Test_CreationClass::addImage(const DL_ImageData&) {
    Ignore("IMAGE");
}

// These rules read every entity in the XY plane as written and paper space
// as model space; the entity being read tells whether that mattered.
bool Test_CreationClass::PlaneIgnored() {
    const double* n = getExtrusion()->getDirection();
    return n[0] != 0 || n[1] != 0 || n[2] <= 0;
}

void Test_CreationClass::CountPlaneAndSpace(bool planeIgnored, bool inPaperSpace) {
    if (planeIgnored)
        Ignore("extrusion", kAccurateUses);
    if (inPaperSpace)
        Ignore("paper space", kAccurateLeavesOut);
}

void Test_CreationClass::CountInsertParts(const DL_InsertData& data) {
    if (data.sx != 1 || data.sy != 1)
        Ignore("INSERT scale", kAccurateUses);
    if (data.cols > 1 || data.rows > 1)
        Ignore("MINSERT array", kAccurateUses);
    for (const std::string& name : blocksWithBase_)
        if (name == data.name) {
            Ignore("block base point", kAccurateUses);
            break;
        }
}
