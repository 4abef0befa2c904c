// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// libFuzzer target: the whole read of one file, every event, every query,
// the result copy and the listing texts.
#include "quillform/dxf_quillform.h"
#include "quillform/entity_log.h"
#include "quillform/result_copy.h"
#include "quillform/settings.h"
#include "quillform/shape_listing.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {
// Counts what the events and queries hand out, so that nothing is optimised away.
size_t gSeen = 0;

void See(const std::wstring& text) {
    gSeen += text.size();
}

// The entity log's lines, counted.
struct TCountingLog : quillform::EntityLogSink {
    void Append(const std::wstring& line) override { See(line); }
};

void InstallEvents(TDXFQuillform& reader) {
    static TCountingLog log;
    const quillform::EntityEvents events = quillform::EntityLogEvents(log);
    reader.OnLayer = events.OnLayer;
    reader.OnSegment = events.OnSegment;
    reader.OnCircle = events.OnCircle;
    reader.OnArc = events.OnArc;
    reader.OnPolyline = events.OnPolyline;
    reader.OnVertex = events.OnVertex;
    reader.OnBlock = events.OnBlock;
    reader.OnEndBlock = events.OnEndBlock;
    reader.OnInsert = events.OnInsert;
}

// Every query, on every layer, shape, hole and vertex, and one index past each end.
void QueryEverything(const TDXFQuillform& reader) {
    int32_t layers = 0;
    reader.GetLayerCount(&layers);
    for (int32_t i = -1; i <= layers; ++i) {
        int32_t length = 0;
        reader.GetLayerNameLength(i, &length);
        std::string name(static_cast<size_t>(length) + 1, '\0');
        reader.GetLayerName(i, name.data());
        int32_t shapes = 0;
        reader.GetShapeCount(name.c_str(), &shapes);
        for (int32_t s = 0; s <= shapes; ++s) {
            int32_t kind = 0, vertices = 0, holes = 0, arc = 0, direction = 0;
            double x = 0, y = 0, r = 0, cx = 0, cy = 0, a = 0, b = 0, c = 0, d = 0;
            reader.GetShape(name.c_str(), s, &kind, &vertices, &x, &y, &r, &holes);
            reader.GetShapeBounds(name.c_str(), s, &a, &b, &c, &d);
            for (int32_t v = 0; v <= vertices; ++v)
                reader.GetShapeVertex(name.c_str(), s, v, &x, &y, &arc, &cx, &cy, &r, &direction);
            for (int32_t h = 0; h <= holes; ++h) {
                int32_t hv = 0;
                reader.GetHole(name.c_str(), s, h, &kind, &hv, &x, &y, &r);
                reader.GetHoleBounds(name.c_str(), s, h, &a, &b, &c, &d);
                for (int32_t v = 0; v <= hv; ++v)
                    reader.GetHoleVertex(name.c_str(), s, h, v, &x, &y, &arc, &cx, &cy, &r,
                                         &direction);
            }
        }
    }
}

struct Job {
    TDXFQuillform reader;
    quillform::TResultCopy copy;
};

// The input lives in a memory file that the reader opens by path.
std::string InputPath(int* fd) {
    if (*fd < 0)
        *fd = memfd_create("quillform-fuzz", 0);
    if (*fd < 0)
        std::abort();
    return "/proc/self/fd/" + std::to_string(*fd);
}

// The settings are drawn from the input's last byte, so that the fuzzer
// can reach every mode on purpose: bits 0-1 the linking distance, 2-3 the
// open-contour mode, 4 mixed layers, 5 accurate geometry, 6 holes across
// layers.
void Configure(TDXFQuillform& reader, uint8_t bits, quillform::Engine engine) {
    const double distances[] = {0, 0.001, 1, 25};
    reader.SetLinkingDistance(distances[bits & 3]);
    reader.SetOpenContourMode(static_cast<int32_t>((bits >> 2 & 3) % 3));
    reader.SetMixLayers(bits >> 4 & 1);
    reader.SetAccurateGeometry(bits >> 5 & 1);
    reader.SetHolesAcrossLayers(bits >> 6 & 1);
    reader.SetEngine(static_cast<int32_t>(engine));
    // Linking and classification take time quadratic in the number of
    // contours with the reference engine: inserts that multiply a block stay
    // below where that alone takes seconds under the sanitizers.
    reader.SetExpansionLimit(2000);
}

// Everything a read reports: its status, warnings and every layer's listing.
std::wstring Listing(Job& job) {
    std::wstring text = std::to_wstring(job.reader.GetStatus()) + L"\n";
    for (int32_t i = 0; i < job.copy.LayerCount; ++i) {
        const quillform::Layer layer = quillform::ToValue(job.copy.Layers[i]);
        text += quillform::ShapesDiscoveredMessage(layer) + L"\n";
        for (const std::wstring& line : quillform::ListingLines(layer, L'.'))
            text += line + L"\n";
    }
    return text;
}

std::wstring Read(const std::string& path, uint8_t bits, quillform::Engine engine) {
    Job job;
    InstallEvents(job.reader);
    job.reader.OnReadDone = {[](void* context) {
                                 auto* j = static_cast<Job*>(context);
                                 QueryEverything(j->reader);
                                 j->copy = quillform::CopyResults(j->reader);
                             },
                             &job};
    Configure(job.reader, bits, engine);
    job.reader.Read(std::filesystem::path(path));
    return Listing(job);
}

// Inputs up to this size are read by both engines, which must agree.
constexpr size_t kCompared = 4096;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int fd = -1;
    const std::string path = InputPath(&fd);
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        std::abort();
    const uint8_t bits = size > 0 ? data[size - 1] : 0;
    const std::wstring fast = Read(path, bits, quillform::Engine::Fast);
    See(fast);
    if (size <= kCompared && Read(path, bits, quillform::Engine::Reference) != fast) {
        std::fprintf(stderr, "the engines disagree (settings %u)\n", unsigned{bits});
        std::abort();
    }
    return 0;
}
