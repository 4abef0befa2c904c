// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/contours.h"

#include "model/entity_store.h"
#include "pipeline/read_pipeline.h"

#include "quillform/names.h"

namespace quillform {
namespace {
// The linked contours, freed whatever happens.
struct TLinked : TLista {
    ~TLinked() override { FreeContours(this); }
};

Contour ContourOf(const TDXFPolygon& polygon) {
    Contour contour;
    contour.layerBytes = polygon.Layer ? polygon.Layer.get() : "";
    contour.layer = quillform::NameToUtf8(contour.layerBytes.c_str());
    for (const TListaNode* n = polygon.Head; n; n = n->Next) {
        const auto& v = *static_cast<const dxf_info*>(n->Item);
        Vertex vertex{v.x, v.y, std::nullopt};
        if (v.is_arc)
            vertex.arc = ArcEdge{Point{v.center_x, v.center_y}, v.radius, v.clockwise != 0};
        contour.vertices.push_back(vertex);
    }
    return contour;
}
} // namespace

Contours ReadContours(const std::filesystem::path& path, const Settings& settings,
                      const quillform::EntityEvents& events) {
    Contours read;
    read.file = path.string();
    if (detail::RefuseBadSettings(settings, &read.status, read))
        return read;
    TLinked linked;
    detail::ReadFile(path.native(), settings, events, detail::TReadTarget{nullptr, &linked},
                     &read.status, read);
    for (const TListaNode* n = linked.Head; n; n = n->Next)
        read.contours.push_back(ContourOf(*static_cast<const TDXFPolygon*>(n->Item)));
    return read;
}

} // namespace quillform
