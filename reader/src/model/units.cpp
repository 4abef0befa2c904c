// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "quillform/units.h"

#include <iterator>

namespace quillform {
namespace {
struct UnitRow {
    int code;
    const char* name;
    double millimetres;
};

// $INSUNITS codes that name a length.
constexpr UnitRow kUnits[] = {
    {1, "in", 25.4},
    {2, "ft", 304.8},
    {3, "mi", 1609344},
    {4, "mm", 1},
    {5, "cm", 10},
    {6, "m", 1000},
    {7, "km", 1e6},
    {8, "uin", 25.4e-6},
    {9, "mil", 0.0254},
    {10, "yd", 914.4},
    {11, "angstrom", 1e-7},
    {12, "nm", 1e-6},
    {13, "um", 1e-3},
    {14, "dm", 100},
    {15, "dam", 1e4},
    {16, "hm", 1e5},
    {17, "Gm", 1e12},
    {18, "au", 1.495978707e14},
    {19, "ly", 9.4607304725808e18},
    {20, "pc", 3.0856775814913673e19},
};
} // namespace

Unit UnitOfCode(int code) {
    for (const UnitRow& row : kUnits)
        if (row.code == code)
            return Unit{row.code, row.name, row.millimetres};
    return Unit{0, "unknown", 0};
}

Unit DrawingUnit(int insunits, int measurement) {
    if (insunits >= 0) // present: 0 says the drawing is unitless
        return UnitOfCode(insunits);
    if (measurement == 0)
        return UnitOfCode(1);
    if (measurement == 1)
        return UnitOfCode(4);
    return UnitOfCode(0);
}

std::optional<Unit> UnitNamed(const std::string& name) {
    for (const UnitRow& row : kUnits)
        if (name == row.name)
            return Unit{row.code, row.name, row.millimetres};
    return std::nullopt;
}

} // namespace quillform
