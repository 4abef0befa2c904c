// SPDX-FileCopyrightText: DXF Quillform developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <pybind11/pybind11.h>

// _part_rows(drawing): one dict a part with its measures, the rows of
// quillform.parts_table and quillform.dask; _part_values(drawing): the same
// as tuples in the order of _PART_COLUMNS, which pass between processes
// several times faster than dicts.
void BindPartRows(pybind11::module_& m);
