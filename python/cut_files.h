// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <pybind11/pybind11.h>

// Adds to_dxf, to_geojson and to_cut_svg to the module's Drawing.
void BindCutFiles(pybind11::module_& m);
