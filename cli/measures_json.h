// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/measures.h"

#include <nlohmann/json.hpp>

// The figures of the JSON document: `measures` of each shape (the part) and
// of each hole (the outline), null when they have none; `totals` of a layer
// or of the file.
nlohmann::ordered_json OutlineMeasuresJson(const quillform::OutlineMeasures& m);
nlohmann::ordered_json PartMeasuresJson(const quillform::PartMeasures& m);
nlohmann::ordered_json TotalsJson(const quillform::Totals& t);
