// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "quillform/diagnostics.h"
#include "quillform/dxf_quillform.h"
#include "quillform/result_copy.h"

#include <functional>
#include <string>

// One read through the facade: the copy made inside OnReadDone, the status
// and the report.
struct TReadOutcome {
    quillform::TResultCopy copy;
    int32_t status = 0;
    quillform::Diagnostics report;

    int LayerIndex(const std::string& name) const; // -1 when absent
    int ShapeCount(const std::string& layer) const;
    bool HasWarning(const std::string& code) const;
};

TReadOutcome ReadDrawing(const std::string& path,
                         const std::function<void(TDXFQuillform&)>& configure = {});

// Measures that do not depend on where an outline starts or which way it runs.
double OutlineArea(const TBaseShape& shape); // enclosed area, arcs included
