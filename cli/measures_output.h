// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "options.h"

#include "quillform/drawing.h"
#include "quillform/measures.h"

#include <optional>
#include <string>
#include <vector>

// Whether the run lists the figures of the parts (--measures, --format csv)
// instead of the shapes.
bool ListsMeasures(const Options& options);

// The figures of every part of the files read, one row per part: file,
// layer, part (its number in the layer, as in the listing), width, height,
// area, cut length, pierces, the smallest rectangle (width, height, angle),
// the smallest hole, the unit of the lengths. Numbers have 10 significant
// digits and '.'; a figure a part does not have is left empty.
class MeasuresTable {
public:
    // The parts of one file. A file that failed (exitStatus other than 0)
    // adds a row that says why instead; unitError is why --output-units
    // could not convert it.
    void AddFile(const quillform::Drawing& drawing, int exitStatus, const std::string& unitError);

    // Aligned columns under a header ('-' for what is empty), a totals line
    // after each file's parts and, for several files in the same unit, one
    // for them all (UTF-8, LF). Failures are not rows here: standard error
    // has them.
    std::string Text() const;
    // The rows of the parts and failures as CSV (RFC 4180: a header, CR LF,
    // fields quoted where needed) with an error column; no totals lines, so
    // that a column's sum counts every part once.
    // Without the header for the rows of one file among several.
    std::string Csv(bool header = true) const;
    // A file whose reading process stopped: a row with the reason.
    void AddLostFile(const std::string& file, const std::string& reason);

private:
    enum class Kind { Part, Total, Failure };
    struct Row {
        Kind kind;
        std::vector<std::string> cells;
        std::string error;
    };
    // What several files add up to, while they share one unit.
    struct Overall {
        quillform::Totals totals;
        std::optional<double> smallestHole;
        std::string unit;
        bool sameUnit = true;
    };
    std::vector<Row> rows_;
    Overall overall_;
    int files_ = 0; // read without failing
};
