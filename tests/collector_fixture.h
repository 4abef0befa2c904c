// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "collect/collector.h"

#include <memory>
#include <string>
#include <vector>

// A collector that has read a fixture, with the last polyline flushed and,
// unless asked not to, bulged polylines exploded with the reader's tolerance.
std::unique_ptr<Test_CreationClass> LoadFixture(const std::string& file, bool explode = true);

// Copies of the vertices of a contour, in order.
std::vector<dxf_info> VerticesOf(const TDXFPolygon& contour);

template <typename T> T& ItemAt(const TLista& list, int index) {
    return *static_cast<T*>(list.GetItem(index));
}
