// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/diagnostics.h"

#include <algorithm>

namespace quillform {

void Diagnostics::Warn(const std::string& code, const std::string& layer, int64_t count) {
    const auto same = [&](const Warning& w) { return w.code == code && w.layer == layer; };
    const auto found = std::find_if(warnings.begin(), warnings.end(), same);
    if (found != warnings.end())
        found->count += count;
    else
        warnings.push_back(Warning{code, layer, count, std::string(), 0, std::string()});
}

void Diagnostics::Ignore(const std::string& type, const std::string& hint) {
    const auto same = [&](const Ignored& c) { return c.type == type; };
    const auto found = std::find_if(ignored.begin(), ignored.end(), same);
    if (found != ignored.end())
        ++found->count;
    else
        ignored.push_back(Ignored{type, 1, hint});
}

void Diagnostics::Note(const std::string& code, const std::string& layer, Point location,
                       int64_t count, double value) {
    const auto same = [&](const EntityNote& n) { return n.code == code && n.layer == layer; };
    const auto found = std::find_if(entityNotes.begin(), entityNotes.end(), same);
    if (found == entityNotes.end()) {
        entityNotes.push_back(EntityNote{code, layer, location, count, value});
        return;
    }
    found->count += count;
    found->value += value;
}

} // namespace quillform
