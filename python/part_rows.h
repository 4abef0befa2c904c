// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <pybind11/pybind11.h>

// _part_values(drawing): one tuple a part with its measures, in the order
// of _PART_COLUMNS: the rows of quillform.parts_table and quillform.dask
// (tuples pass between processes several times faster than dicts).
void BindPartRows(pybind11::module_& m);
