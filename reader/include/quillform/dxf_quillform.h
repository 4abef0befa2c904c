// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/diagnostics.h"
#include "quillform/events.h"
#include "quillform/export.h"
#include "quillform/settings.h"
#include "quillform/shape_records.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class TDXFQuillform;
namespace quillform {
struct Drawing;
struct TResultCopy;
QUILLFORM_EXPORT Drawing CopyDrawing(const TDXFQuillform& reader);
QUILLFORM_EXPORT TResultCopy CopyResults(const TDXFQuillform& reader);
} // namespace quillform

// The reader: reads one DXF file at a time, reports its entities through the
// event slots, links and classifies outlines, and answers queries about the
// shapes found -- only while OnReadDone runs; the results are destroyed when
// it returns. Never throws; failures show as status bits and missing layers.
class TDXFQuillform {
public:
    // Event slots, assigned directly by the host.
    TReadDoneEvent OnReadDone;
    TLayerEvent OnLayer;
    TSegmentEvent OnSegment;
    TCircleEvent OnCircle;
    TArcEvent OnArc;
    TPolylineEvent OnPolyline;
    TVertexEvent OnVertex;
    TBlockEvent OnBlock;
    TEndBlockEvent OnEndBlock;
    TInsertEvent OnInsert;

    QUILLFORM_EXPORT TDXFQuillform();
    TDXFQuillform(const TDXFQuillform&) = delete;
    TDXFQuillform& operator=(const TDXFQuillform&) = delete;

    QUILLFORM_EXPORT void SetLinkingDistance(double distance);
    QUILLFORM_EXPORT void SetOpenContourMode(int32_t mode);
    // Ignored while a read runs; any value but 0 or 1 stores 0.
    QUILLFORM_EXPORT void SetMixLayers(int32_t value);
    // 0 (the default) the fast engine, 1 the literal reference engine; both
    // give the same results.
    QUILLFORM_EXPORT void SetEngine(int32_t engine);
    // 0 (the default) keeps the reader's simplified geometry rules; 1 reads
    // the drawing as CAD programs show it. Ignored while a read runs.
    QUILLFORM_EXPORT void SetAccurateGeometry(int32_t value);
    // Accurate geometry: how far the arcs and lines that replace a curve may
    // stray from it, in drawing units; 0 (the default) means 0.01 mm.
    QUILLFORM_EXPORT void SetCurveTolerance(double tolerance);
    // Layers read: when `read` is not empty only those, never those in
    // `excluded` (names as the file holds them, or as UTF-8). The entity
    // events are raised for every layer all the same.
    QUILLFORM_EXPORT void SetLayerSelection(const std::vector<std::string>& read,
                                            const std::vector<std::string>& excluded);
    // 1 lets classification take holes and islands from any layer (a shape
    // keeps its outer outline's layer); 0, the default, keeps layers apart.
    QUILLFORM_EXPORT void SetHolesAcrossLayers(int32_t value);
    // Most entities that block inserts may produce in one read (past it the
    // read stops with stExpansionLimit); 0, the default, chooses by the
    // memory the machine has, at most 10 million.
    QUILLFORM_EXPORT void SetExpansionLimit(int64_t entities);
    // Copies the version text into dest (at least 13 bytes) and returns dest.
    QUILLFORM_EXPORT char* GetVersion(char* dest) const;
    // Status bits of the last read (see status.h), so that a host can tell a
    // file that could not be opened from one without shapes.
    int32_t GetStatus() const { return FStatus; }
    // What the last read noticed besides its shapes (warnings, open chains,
    // unused content, the unit); valid inside OnReadDone and after Read
    // until the next read.
    const quillform::Diagnostics& GetReport() const { return FReport; }

    // The wide name is converted in the locale's encoding (UTF-8 where it
    // cannot hold the name); a path opens exactly the file it names, whatever
    // its bytes.
    QUILLFORM_EXPORT void Read(const wchar_t* fileName);
    QUILLFORM_EXPORT void Read(const std::filesystem::path& path);

    // Queries: meaningful inside OnReadDone only. A bad name or index writes
    // nothing, except that count and name queries write 0 or "".
    QUILLFORM_EXPORT void GetLayerCount(int32_t* count) const;
    QUILLFORM_EXPORT void GetLayerNameLength(int32_t index, int32_t* length) const;
    QUILLFORM_EXPORT void GetLayerName(int32_t index, char* name) const;
    QUILLFORM_EXPORT void GetShapeCount(const char* layer, int32_t* count) const;
    QUILLFORM_EXPORT void GetShape(const char* layer, int32_t shape, int32_t* kind,
                                   int32_t* vertexCount, double* centerX, double* centerY,
                                   double* radius, int32_t* holeCount) const;
    QUILLFORM_EXPORT void GetShapeVertex(const char* layer, int32_t shape, int32_t vertex,
                                         double* x, double* y, int32_t* isArc, double* arcCenterX,
                                         double* arcCenterY, double* arcRadius,
                                         int32_t* arcDirection) const;
    // Outputs min x, max y, max x, min y.
    QUILLFORM_EXPORT void GetShapeBounds(const char* layer, int32_t shape, double* a, double* b,
                                         double* c, double* d) const;
    QUILLFORM_EXPORT void GetHole(const char* layer, int32_t shape, int32_t hole, int32_t* kind,
                                  int32_t* vertexCount, double* centerX, double* centerY,
                                  double* radius) const;
    QUILLFORM_EXPORT void GetHoleVertex(const char* layer, int32_t shape, int32_t hole,
                                        int32_t vertex, double* x, double* y, int32_t* isArc,
                                        double* arcCenterX, double* arcCenterY, double* arcRadius,
                                        int32_t* arcDirection) const;
    // Outputs max x, max y, min x, min y.
    QUILLFORM_EXPORT void GetHoleBounds(const char* layer, int32_t shape, int32_t hole, double* a,
                                        double* b, double* c, double* d) const;

private:
    double FLinkingDistance = 0;
    char FVersion[30] = "0.9.3.1.beta";
    int32_t FStatus = 0;
    double FTolerance = 1e-5;
    int32_t FOpenContourMode = 0;
    TLayers FLayers;
    bool FReady = true;
    int32_t FMixLayers = 0;
    // The settings the project adds to those above, kept in the one record
    // every host fills; a read completes it with the fields above.
    quillform::Settings FSettings;
    quillform::Diagnostics FReport;

    quillform::Settings ReadSettings() const;
    quillform::EntityEvents EntitySlots() const;
    const part2d_any* FindShape(const char* layer, int32_t shape) const;
    const TBaseShape* FindHole(const char* layer, int32_t shape, int32_t hole) const;

    // The value copies read the results directly, as the queries do.
    friend quillform::Drawing quillform::CopyDrawing(const TDXFQuillform& reader);
    friend quillform::TResultCopy quillform::CopyResults(const TDXFQuillform& reader);
};
