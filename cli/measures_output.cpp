// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "measures_output.h"

#include "quillform/status.h"

#include <algorithm>
#include <cstdio>

namespace {
const char* const kColumns[] = {
    "file",           "layer",         "part",    "width",          "height",
    "area",           "cut_length",    "pierces", "min_rect_width", "min_rect_height",
    "min_rect_angle", "smallest_hole", "unit"};
constexpr size_t kColumnCount = std::size(kColumns);
// The columns of names, aligned to the left in text; numbers go right.
bool IsName(size_t column) {
    return column == 0 || column == 1 || column == kColumnCount - 1;
}

// Ten significant digits: more than any drawing is made to, and what
// spreadsheets read back unchanged.
std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value == 0 ? 0.0 : value);
    return text;
}

std::string Number(const std::optional<double>& value) {
    return value ? Number(*value) : std::string();
}

std::optional<double> Smaller(std::optional<double> a, std::optional<double> b) {
    if (!a || !b)
        return a ? a : b;
    return std::min(*a, *b);
}

std::vector<std::string> Figures(const quillform::PartMeasures& m) {
    if (!m.finite)
        return std::vector<std::string>(kColumnCount - 4);
    return {Number(m.width),
            Number(m.height),
            Number(m.area),
            Number(m.cutLength),
            std::to_string(m.pierces),
            Number(m.minRectangle.width),
            Number(m.minRectangle.height),
            Number(m.minRectangle.angle),
            Number(m.smallestHole)};
}

// Why a file gave no parts, in a few words (standard error says it in full).
std::string FailureReason(const quillform::Drawing& drawing, const std::string& unitError) {
    const int32_t status = drawing.status;
    if (status & stReadError)
        return "cannot open the file";
    if (status & stOutOfMemory)
        return "not enough memory";
    if (status & stExpansionLimit)
        return "block inserts would produce more entities than the expansion limit";
    if (status & stNotDrawing)
        return "not a DXF drawing";
    if (!unitError.empty())
        return "--output-units: " + unitError;
    if (status & stOpenContour)
        return "a contour does not close; no shapes were built (--open-mode 2)";
    return "failed";
}

// Characters, not bytes, for alignment.
size_t Width(const std::string& text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// A totals line: the parts, their box (unless the parts lie in different
// drawings), net area, cut length, pierces and smallest hole.
std::vector<std::string> TotalCells(const std::string& file, const quillform::Totals& t,
                                    std::optional<double> smallestHole, bool box,
                                    const std::string& unit) {
    const bool boxed = box && t.parts > t.unmeasured;
    return {file,
            "(total)",
            std::to_string(t.parts),
            boxed ? Number(t.box.maxX - t.box.minX) : "",
            boxed ? Number(t.box.maxY - t.box.minY) : "",
            Number(t.area),
            Number(t.cutLength),
            std::to_string(t.pierces),
            "",
            "",
            "",
            Number(smallestHole),
            unit};
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos &&
        (text.empty() || (text.front() != ' ' && text.back() != ' ')))
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (size_t k = 0; k < fields.size(); ++k)
        line += (k ? "," : "") + CsvField(fields[k]);
    return line + "\r\n";
}
} // namespace

bool ListsMeasures(const Options& options) {
    return options.measures || options.format == OutputFormat::Csv;
}

void MeasuresTable::AddFile(const quillform::Drawing& drawing, int exitStatus,
                            const std::string& unitError) {
    if (exitStatus != 0) {
        Row failure{Kind::Failure, std::vector<std::string>(kColumnCount),
                    FailureReason(drawing, unitError)};
        failure.cells[0] = drawing.file;
        rows_.push_back(failure);
        return;
    }
    ++files_;
    const std::string& unit = drawing.lengths.name;
    quillform::Totals totals;
    std::optional<double> smallestHole;
    for (const quillform::Layer& layer : drawing.layers)
        for (size_t k = 0; k < layer.shapes.size(); ++k) {
            const quillform::PartMeasures m = quillform::MeasurePart(layer.shapes[k]);
            quillform::AddPart(totals, m);
            smallestHole = Smaller(smallestHole, m.smallestHole);
            Row row{Kind::Part, {drawing.file, layer.name, std::to_string(k)}, ""};
            for (std::string& figure : Figures(m))
                row.cells.push_back(std::move(figure));
            row.cells.push_back(unit);
            rows_.push_back(std::move(row));
        }
    rows_.push_back({Kind::Total, TotalCells(drawing.file, totals, smallestHole, true, unit), ""});
    overall_.sameUnit = overall_.sameUnit && (files_ == 1 || overall_.unit == unit);
    overall_.unit = unit;
    quillform::AddTotals(overall_.totals, totals);
    overall_.smallestHole = Smaller(overall_.smallestHole, smallestHole);
}

std::string MeasuresTable::Text() const {
    std::vector<const std::vector<std::string>*> lines;
    const std::vector<std::string> header(std::begin(kColumns), std::end(kColumns));
    lines.push_back(&header);
    for (const Row& row : rows_)
        if (row.kind != Kind::Failure)
            lines.push_back(&row.cells);
    // Several files in one unit: their sum, without a box (drawings apart).
    const std::vector<std::string> all =
        TotalCells("(all)", overall_.totals, overall_.smallestHole, false, overall_.unit);
    if (files_ > 1 && overall_.sameUnit)
        lines.push_back(&all);
    std::vector<size_t> widths(kColumnCount, 0);
    for (const auto* cells : lines)
        for (size_t c = 0; c < kColumnCount; ++c)
            widths[c] = std::max(widths[c], std::max<size_t>(1, Width((*cells)[c])));
    std::string text;
    for (const auto* cells : lines) {
        std::string line;
        for (size_t c = 0; c < kColumnCount; ++c) {
            const std::string& cell = (*cells)[c].empty() ? std::string("-") : (*cells)[c];
            const std::string pad(widths[c] - Width(cell), ' ');
            line += (c ? "  " : "") + (IsName(c) ? cell + pad : pad + cell);
        }
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
    }
    return text;
}

void MeasuresTable::AddLostFile(const std::string& file, const std::string& reason) {
    Row failure{Kind::Failure, std::vector<std::string>(kColumnCount), reason};
    failure.cells[0] = file;
    rows_.push_back(failure);
}

std::string MeasuresTable::Csv(bool header) const {
    std::vector<std::string> names(std::begin(kColumns), std::end(kColumns));
    names.push_back("error");
    std::string csv = header ? CsvLine(names) : std::string();
    for (const Row& row : rows_) {
        if (row.kind == Kind::Total)
            continue;
        std::vector<std::string> fields = row.cells;
        fields.push_back(row.error);
        csv += CsvLine(fields);
    }
    return csv;
}
