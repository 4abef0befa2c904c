// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// Lists the parts of a DXF drawing: one line per layer, shape and hole.
//   list_parts FILE.dxf [LINKING-DISTANCE]
#include <quillform/drawing.h>

#include <cstdio>
#include <cstdlib>

namespace {
void PrintOutline(const char* what, const quillform::Outline& outline) {
    std::printf("%s", what);
    if (outline.kind == quillform::OutlineKind::Circle) {
        std::printf(" circle center %.17g %.17g radius %.17g", outline.circle.center.x,
                    outline.circle.center.y, outline.circle.radius);
    } else {
        int arcs = 0;
        for (const quillform::Vertex& vertex : outline.vertices)
            arcs += vertex.arc.has_value();
        std::printf(" polygon vertices %zu arcs %d", outline.vertices.size(), arcs);
    }
    const quillform::Bounds& b = outline.bounds;
    std::printf(" bounds %.17g %.17g %.17g %.17g\n", b.minX, b.minY, b.maxX, b.maxY);
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: list_parts FILE.dxf [LINKING-DISTANCE]\n");
        return 2;
    }
    quillform::Settings settings; // linking distance 1, open chains dropped
    if (argc == 3)
        settings.distance = std::strtod(argv[2], nullptr);
    const quillform::Drawing drawing = quillform::ReadDrawing(argv[1], settings);
    if (!drawing.Read()) {
        std::fprintf(stderr, "list_parts: %s could not be read (status %d)\n", argv[1],
                     drawing.status);
        return 1;
    }
    for (const quillform::Warning& warning : drawing.warnings)
        std::printf("warning %s layer '%s' count %lld\n", warning.code.c_str(),
                    warning.layer.c_str(), static_cast<long long>(warning.count));
    for (const quillform::Layer& layer : drawing.layers) {
        std::printf("layer '%s' shapes %zu\n", layer.name.c_str(), layer.shapes.size());
        for (const quillform::Shape& shape : layer.shapes) {
            PrintOutline("shape", shape);
            for (const quillform::Outline& hole : shape.holes)
                PrintOutline("  hole", hole);
        }
    }
    return 0;
}
