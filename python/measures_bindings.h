// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <pybind11/pybind11.h>

// The figures parts are quoted by: the classes Rectangle, OutlineMeasures,
// PartMeasures and Totals, and the properties of Outline, Shape, Layer and
// Drawing that compute them on access (the classes must be bound already).
void BindMeasures(pybind11::module_& m);
