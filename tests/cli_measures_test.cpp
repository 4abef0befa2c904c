// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
// quillform --measures and --format csv: one row per part with figures that
// follow from a formula, the same as the JSON document's, in the unit asked.
#include "cli_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
using Row = std::map<std::string, std::string>;

// RFC 4180 fields of one line (no line breaks inside quotes here).
std::vector<std::string> CsvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t k = 0; k < line.size(); ++k) {
        const char c = line[k];
        if (quoted && c == '"' && k + 1 < line.size() && line[k + 1] == '"')
            fields.back() += line[++k];
        else if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

// The rows of a CSV document by column name; every line must end in CR LF
// and have as many fields as the header.
std::vector<Row> CsvRows(const std::string& csv) {
    std::vector<std::vector<std::string>> lines;
    for (size_t at = 0; at < csv.size();) {
        const size_t end = csv.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "a line without CR LF";
        if (end == std::string::npos)
            break;
        lines.push_back(CsvFields(csv.substr(at, end - at)));
        at = end + 2;
    }
    std::vector<Row> rows;
    for (size_t k = 1; k < lines.size(); ++k) {
        EXPECT_EQ(lines[k].size(), lines[0].size()) << "line " << k;
        Row row;
        for (size_t c = 0; c < lines[0].size() && c < lines[k].size(); ++c)
            row[lines[0][c]] = lines[k][c];
        rows.push_back(row);
    }
    return rows;
}

double Value(const Row& row, const std::string& column) {
    return std::stod(row.at(column));
}

// The words of each line of aligned text.
std::vector<std::vector<std::string>> Words(const std::string& text) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        lines.emplace_back();
        for (std::string word; words >> word;)
            lines.back().push_back(word);
    }
    return lines;
}

constexpr double kPi = 3.14159265358979323846;

TEST(CliMeasures, CsvRowsOfAPlateWithFourHoles) {
    const RunResult r = RunCli("-q --format csv " + Data("measures/plate_with_holes.dxf"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("\r\n")),
              "file,layer,part,width,height,area,cut_length,pierces,min_rect_width,"
              "min_rect_height,min_rect_angle,smallest_hole,unit,error");
    const std::vector<Row> rows = CsvRows(r.out);
    ASSERT_EQ(rows.size(), 1u); // no totals rows: a column's sum counts each part once
    const Row& plate = rows[0];
    EXPECT_EQ(plate.at("file"), DataPath("measures/plate_with_holes.dxf"));
    EXPECT_EQ(plate.at("layer"), "0");
    EXPECT_EQ(plate.at("part"), "0");
    EXPECT_EQ(plate.at("unit"), "mm");
    EXPECT_EQ(plate.at("error"), "");
    EXPECT_EQ(plate.at("pierces"), "5");
    // 100 x 60 less two circles of radius 5, a square of side 10 and a slot
    // 20 x 6 with round ends.
    EXPECT_NEAR(Value(plate, "area"), 5780 - 59 * kPi, 1e-6);
    EXPECT_NEAR(Value(plate, "cut_length"), 400 + 26 * kPi, 1e-6);
    EXPECT_EQ(Value(plate, "width"), 100);
    EXPECT_EQ(Value(plate, "height"), 60);
    EXPECT_EQ(Value(plate, "min_rect_width"), 100);
    EXPECT_EQ(Value(plate, "min_rect_height"), 60);
    EXPECT_EQ(Value(plate, "min_rect_angle"), 0);
    EXPECT_NEAR(Value(plate, "smallest_hole"), 6, 1e-9);
}

TEST(CliMeasures, CsvAgreesWithTheJsonDocument) {
    const std::string files = Data("measures/island.dxf") + " " +
                              Data("measures/rotated_part.dxf") + " " +
                              Data("measures/mirrored_insert.dxf");
    const RunResult csv = RunCli("-q --accurate -d 1e-6 --format csv " + files);
    const RunResult json = RunCli("-q --accurate -d 1e-6 --format json " + files);
    ASSERT_EQ(csv.status, 0) << csv.err;
    ASSERT_EQ(json.status, 0) << json.err;
    std::vector<nlohmann::json> parts;
    for (const auto& document : nlohmann::json::parse(json.out))
        for (const auto& layer : document["layers"])
            for (const auto& shape : layer["shapes"])
                parts.push_back(shape["measures"]);
    const std::vector<Row> rows = CsvRows(csv.out);
    ASSERT_EQ(rows.size(), parts.size());
    ASSERT_EQ(rows.size(), 5u);
    const std::map<std::string, std::string> names{
        {"width", "width"},          {"height", "height"},   {"area", "area"},
        {"cut_length", "cutLength"}, {"pierces", "pierces"}, {"smallest_hole", "smallestHole"}};
    for (size_t k = 0; k < rows.size(); ++k) {
        for (const auto& [column, member] : names) {
            const double expected = parts[k][member].get<double>();
            EXPECT_NEAR(Value(rows[k], column), expected, 1e-9 * std::max(1.0, expected))
                << k << " " << column;
        }
        const auto& rect = parts[k]["minRectangle"];
        EXPECT_NEAR(Value(rows[k], "min_rect_angle"), rect["angle"].get<double>(), 1e-8) << k;
        EXPECT_NEAR(Value(rows[k], "min_rect_width"), rect["width"].get<double>(), 1e-8) << k;
    }
    // The mirrored copy turned by 30 degrees: its rectangle finds the angle.
    EXPECT_NEAR(Value(rows[4], "min_rect_angle"), 30, 1e-8);
}

TEST(CliMeasures, OutputUnitsConvertEveryFigure) {
    const std::string file = Data("diagnostics/units_inch.dxf");
    const std::vector<Row> inches = CsvRows(RunCli("-q -d 1e-6 --format csv " + file).out);
    const RunResult mm = RunCli("-q -d 1e-6 --format csv --output-units mm " + file);
    ASSERT_EQ(mm.status, 0) << mm.err;
    const std::vector<Row> rows = CsvRows(mm.out);
    ASSERT_EQ(rows.size(), inches.size());
    ASSERT_FALSE(rows.empty());
    for (size_t k = 0; k < rows.size(); ++k) {
        EXPECT_EQ(inches[k].at("unit"), "in");
        EXPECT_EQ(rows[k].at("unit"), "mm");
        for (const char* length : {"width", "height", "cut_length", "min_rect_width"})
            EXPECT_NEAR(Value(rows[k], length), Value(inches[k], length) * 25.4,
                        1e-8 * Value(rows[k], length))
                << length;
        EXPECT_NEAR(Value(rows[k], "area"), Value(inches[k], "area") * 25.4 * 25.4,
                    1e-8 * Value(rows[k], "area"));
        EXPECT_EQ(rows[k].at("pierces"), inches[k].at("pierces"));
        EXPECT_EQ(rows[k].at("min_rect_angle"), inches[k].at("min_rect_angle"));
    }
}

TEST(CliMeasures, AFileThatFailsIsARowWithItsReason) {
    const std::string folder = Folder("measures_csv");
    // A name that needs quoting in CSV.
    const std::string named = folder + "/plate, \"A\".dxf";
    fs::copy_file(DataPath("measures/circle.dxf"), named);
    const RunResult r =
        RunCli("-q --format csv " + Quote(named) + " " + Quote(folder + "/missing.dxf"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("\"" + folder + "/plate, \"\"A\"\".dxf\","), std::string::npos) << r.out;
    const std::vector<Row> rows = CsvRows(r.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].at("file"), named);
    EXPECT_NEAR(Value(rows[0], "area"), 25 * kPi, 1e-6);
    EXPECT_EQ(rows[1].at("file"), folder + "/missing.dxf");
    EXPECT_EQ(rows[1].at("error"), "cannot open the file");
    EXPECT_EQ(rows[1].at("area"), "");
}

TEST(CliMeasures, AlignedLinesWithTotals) {
    const std::string island = Data("measures/island.dxf");
    const std::string circle = Data("measures/circle.dxf");
    const RunResult r = RunCli("-q -d 1e-6 --measures " + island + " " + circle);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = Words(r.out);
    // Header, the island file's two parts and total, the circle and its
    // total, and the line of both files (both in mm).
    ASSERT_EQ(lines.size(), 7u) << r.out;
    EXPECT_EQ(lines[0].front(), "file");
    EXPECT_EQ(lines[0].back(), "unit");
    for (const auto& line : lines)
        EXPECT_EQ(line.size(), lines[0].size()) << r.out;
    EXPECT_EQ(lines[3][1], "(total)");
    EXPECT_EQ(lines[3][2], "2"); // parts
    EXPECT_EQ(lines[3][7], "4"); // pierces
    EXPECT_EQ(lines[3][8], "-"); // no rectangle for a sum
    EXPECT_NEAR(std::stod(lines[3][5]), 6800 - 16 * kPi, 1e-6);
    EXPECT_NEAR(std::stod(lines[3][6]), 720 + 8 * kPi, 1e-6);
    EXPECT_EQ(lines[6][0], "(all)");
    EXPECT_EQ(lines[6][2], "3");
    EXPECT_EQ(lines[6][7], "5");
    EXPECT_EQ(lines[5][11], "-"); // the circle has no hole
    // The unit column starts at the same place on every line.
    std::istringstream in(r.out);
    std::string header;
    std::getline(in, header);
    for (std::string line; std::getline(in, line);)
        EXPECT_EQ(line.rfind("mm"), header.rfind("unit")) << line;
}

TEST(CliMeasures, WhatDoesNotGoWithIt) {
    const std::string file = Data("measures/circle.dxf");
    for (const char* args :
         {"--measures --contours ", "--format csv --contours ", "--measures --format png -o x.png ",
          "--measures --format svg -o x.svg "}) {
        const RunResult r = RunCli(std::string(args) + file);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_NE(r.err.find("--measures"), std::string::npos) << args << r.err;
    }
}
} // namespace
