// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "collect/collector.h"

#include "quillform/outline.h"
#include "quillform/settings.h"

#include <memory>
#include <string>
#include <vector>

// Runs linking and classification of one engine on a copy of a collector's
// lists (as they stand after blocks and bulges are resolved) and writes
// every result field down exactly (doubles in hexadecimal), so that two
// engines can be compared bit for bit.
struct TEngineRun {
    int32_t status = 0;
    std::string contours;                 // every linked contour, vertex by vertex
    std::string layers;                   // every layer, part, hole, vertex, arc record and box
    std::vector<quillform::Layer> values; // the layers as the value reader gives them
};

TEngineRun RunEngine(const Test_CreationClass& input, const quillform::Settings& settings);

// A deep copy of the lists linking and classification read.
std::unique_ptr<Test_CreationClass> CopyLists(const Test_CreationClass& input);

// The first line where two texts differ, with its number, or "" when equal.
std::string FirstDifference(const std::string& a, const std::string& b);

// Empty when both engines agree on the input with these settings, else a
// description of the first difference.
std::string CompareEngines(const Test_CreationClass& input, quillform::Settings settings);
