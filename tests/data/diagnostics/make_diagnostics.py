#!/usr/bin/python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes the drawings of the diagnostics tests with ezdxf: open chains and
near misses, content the reader leaves unused, drawing units, layer
selection and holes on a layer of their own.

Run: /usr/bin/python3 tests/data/diagnostics/make_diagnostics.py
"""
import os

import ezdxf
from ezdxf import units

HERE = os.path.dirname(os.path.abspath(__file__))


def new(insunits=None):
    doc = ezdxf.new("R2010")
    if insunits is not None:
        doc.header["$INSUNITS"] = insunits
    return doc


def gaps():
    """A plate drawn as two L-shaped halves that miss each other by 0.005 at
    two corners, with a round hole; and a closed square beside it."""
    doc = new(units.MM)
    msp = doc.modelspace()
    msp.add_line((0, 0), (40, 0))
    msp.add_line((40, 0), (40, 29.995))
    msp.add_line((40.005, 30), (0, 30))  # 0.005 short of the first half's end
    msp.add_line((0, 30), (0, 0.005))    # and 0.005 short at the start
    msp.add_circle((20, 15), 5)
    msp.add_lwpolyline([(60, 0), (80, 0), (80, 20), (60, 20)], close=True)
    return doc


def census():
    """What the reader does not use, and what only the accurate rules use."""
    doc = new(units.MM)
    msp = doc.modelspace()
    msp.add_lwpolyline([(0, 0), (100, 0), (100, 50), (0, 50)], close=True)
    msp.add_text("PART 1", dxfattribs={"height": 5}).set_placement((10, 10))
    msp.add_text("REV A", dxfattribs={"height": 3}).set_placement((10, 20))
    hatch = msp.add_hatch()
    hatch.paths.add_polyline_path([(0, 0), (10, 0), (10, 10)], is_closed=True)
    msp.add_spline([(0, 60), (10, 70), (20, 60), (30, 70)])
    block = doc.blocks.new("PIN")
    block.add_circle((0, 0), 2)
    msp.add_blockref("PIN", (50, 25), dxfattribs={"xscale": 2, "yscale": 2})
    msp.add_mtext("NOTE").set_location((60, 10))
    return doc


def units_case(code, measurement=None):
    """A part one unit wide with a hole, in the given unit."""
    doc = new(code)
    if measurement is not None:
        del doc.header["$INSUNITS"]
        doc.header["$MEASUREMENT"] = measurement
    msp = doc.modelspace()
    msp.add_lwpolyline([(0, 0), (1, 0), (1, 0.5), (0, 0.5)], close=True)
    msp.add_circle((0.5, 0.25), 0.125)
    return doc


def drill_layer():
    """A plate on CUT whose holes are drawn on DRILL, and a loose part on MARK."""
    doc = new(units.MM)
    for name in ("CUT", "DRILL", "MARK"):
        doc.layers.add(name)
    msp = doc.modelspace()
    msp.add_lwpolyline([(0, 0), (100, 0), (100, 60), (0, 60)], close=True,
                       dxfattribs={"layer": "CUT"})
    for x in (20, 50, 80):
        msp.add_circle((x, 30), 4, dxfattribs={"layer": "DRILL"})
    msp.add_circle((150, 30), 10, dxfattribs={"layer": "MARK"})
    return doc


DRAWINGS = {
    "gaps": gaps,
    "census": census,
    "units_inch": lambda: units_case(units.IN),
    "units_mm": lambda: units_case(units.MM),
    "units_unitless": lambda: units_case(0),
    "units_measurement_imperial": lambda: units_case(None, 0),
    "drill_layer": drill_layer,
}


def main():
    for name, build in DRAWINGS.items():
        build().saveas(os.path.join(HERE, name + ".dxf"))


if __name__ == "__main__":
    main()
