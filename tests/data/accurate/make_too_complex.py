#!/usr/bin/python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes too_complex_spline.dxf with ezdxf: a 100 mm square plate, and on
layer WAVY a cubic spline of 1000 control points zigzagging a kilometre up
and down every metre. Within the default curve tolerance (0.01 mm, here at
most a billionth of the curve's size) it needs well over 100 000 arcs and
lines, so the reader leaves it out with warning curveTooComplex and keeps
the plate.

Run: /usr/bin/python3 tests/data/accurate/make_too_complex.py
"""
import os

import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))
POINTS = 1000
STEP = 1e3  # mm between control points along x
AMPLITUDE = 1e6  # mm up and down

doc = ezdxf.new("R2000")
doc.header["$INSUNITS"] = 4  # millimetres
msp = doc.modelspace()
msp.add_lwpolyline([(0, 0), (100, 0), (100, 100), (0, 100)], close=True,
                   dxfattribs={"layer": "PLATE"})
zigzag = [(i * STEP, AMPLITUDE if i % 2 else -AMPLITUDE) for i in range(POINTS)]
msp.add_open_spline(zigzag, degree=3, dxfattribs={"layer": "WAVY"})
doc.saveas(os.path.join(HERE, "too_complex_spline.dxf"))
