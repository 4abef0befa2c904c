// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace quillform::detail {

// Which contours and circles the literal containment tests let contain one
// another: those of one layer (names compared byte-wise), or any two while
// a TAcrossLayers scope says holes are taken across layers. The scope is
// per thread, so reads on other threads keep their own rule.
bool SameClassificationGroup(const char* a, const char* b);

class TAcrossLayers {
public:
    explicit TAcrossLayers(bool across);
    ~TAcrossLayers();
    TAcrossLayers(const TAcrossLayers&) = delete;
    TAcrossLayers& operator=(const TAcrossLayers&) = delete;

private:
    bool previous_;
};

} // namespace quillform::detail
