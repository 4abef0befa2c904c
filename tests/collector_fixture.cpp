// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "collector_fixture.h"

#include "collect/dxf_parse.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace quillform::detail;

std::unique_ptr<Test_CreationClass> LoadFixture(const std::string& file, bool explode) {
    auto collector = std::make_unique<Test_CreationClass>();
    EXPECT_TRUE(ParseDxfFile(TestDataWide(file).c_str(), *collector)) << file;
    collector->FlushLastPolyline();
    if (explode)
        collector->ExplodeBulgedPolylines(1e-5);
    return collector;
}

std::vector<dxf_info> VerticesOf(const TDXFPolygon& contour) {
    std::vector<dxf_info> vertices;
    for (const TListaNode* n = contour.Head; n; n = n->Next)
        vertices.push_back(*static_cast<const dxf_info*>(n->Item));
    return vertices;
}
