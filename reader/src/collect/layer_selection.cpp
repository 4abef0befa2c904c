// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collect/layer_selection.h"

#include "quillform/names.h"

#include <algorithm>
#include <string>

namespace quillform::detail {

namespace {
bool Named(const char* name, const std::vector<std::string>& names) {
    const std::string bytes = name ? name : "";
    const std::string utf8 = quillform::NameToUtf8(bytes.c_str());
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& n) { return n == bytes || n == utf8; });
}

template <typename Entity, typename Destroy>
void Sift(TLista& list, const quillform::Settings& settings, Destroy destroy) {
    for (TListaNode* node = list.Head; node;) {
        auto* entity = static_cast<Entity*>(node->Item);
        if (LayerSelected(entity->Layer.get(), settings)) {
            node = node->Next;
            continue;
        }
        destroy(entity);
        node = list.Remove(node);
    }
}
} // namespace

bool LayerSelected(const char* name, const quillform::Settings& settings) {
    if (!settings.layers.empty() && !Named(name, settings.layers))
        return false;
    return !Named(name, settings.excludedLayers);
}

namespace {
// Each name of the lists that matches none of the file's layers, once.
void WarnUnmatched(const TLayersName& layers, const std::vector<std::string>& names,
                   quillform::Diagnostics& report) {
    for (const std::string& wanted : names) {
        bool found = false;
        for (const TListaNode* n = layers.Head; n && !found; n = n->Next)
            found = Named(static_cast<const char*>(n->Item), {wanted});
        if (!found && std::none_of(report.warnings.begin(), report.warnings.end(),
                                   [&](const quillform::Warning& w) {
                                       return w.code == "unknownLayer" && w.detail == wanted;
                                   })) {
            // one warning per name, not one counting them all
            report.warnings.push_back(quillform::Warning{"unknownLayer", "", 1, "", 0, wanted});
        }
    }
}
} // namespace

bool KeepSelectedLayers(quillform::detail::TEntityLists& lists, const quillform::Settings& settings,
                        quillform::Diagnostics& report) {
    if (settings.layers.empty() && settings.excludedLayers.empty())
        return false;
    WarnUnmatched(lists.LayerNames, settings.layers, report);
    WarnUnmatched(lists.LayerNames, settings.excludedLayers, report);
    Sift<TDXFSegment>(lists.Segments, settings, [](TDXFSegment* e) { delete e; });
    Sift<TDXFArc>(lists.Arcs, settings, [](TDXFArc* e) { delete e; });
    Sift<TDXFCircle>(lists.Circles, settings, [](TDXFCircle* e) { delete e; });
    Sift<TDXFPolygon>(lists.Polylines, settings, DestroyPolygon);
    return true;
}

} // namespace quillform::detail
