#!/usr/bin/env python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes the bundled example drawings with ezdxf (Debian's python3-ezdxf).

plate.dxf: a plate with rounded corners (LWPOLYLINE with bulges), four round
holes, a slot drawn as loose LINEs and ARCs, and beside it a frame whose
square window holds an island with its own hole.
"""
import math
import os

import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))
ROUND = math.tan(math.radians(90) / 4)  # bulge of a 90 degree corner


def rounded_rectangle(msp, x0, y0, width, height, r, layer):
    x1, y1 = x0 + width, y0 + height
    points = [
        (x0 + r, y0, 0), (x1 - r, y0, ROUND), (x1, y0 + r, 0), (x1, y1 - r, ROUND),
        (x1 - r, y1, 0), (x0 + r, y1, ROUND), (x0, y1 - r, 0), (x0, y0 + r, ROUND),
    ]
    msp.add_lwpolyline(points, format="xyb", close=True, dxfattribs={"layer": layer})


def slot(msp, cx, cy, length, r, layer):
    """An obround slot as two lines and two half circles, the way many CAD exports leave it."""
    half = length / 2
    msp.add_line((cx - half, cy - r), (cx + half, cy - r), dxfattribs={"layer": layer})
    msp.add_arc((cx + half, cy), r, -90, 90, dxfattribs={"layer": layer})
    msp.add_line((cx - half, cy + r), (cx + half, cy + r), dxfattribs={"layer": layer})
    msp.add_arc((cx - half, cy), r, 90, 270, dxfattribs={"layer": layer})


def square(msp, x0, y0, side, layer):
    msp.add_lwpolyline([(x0, y0), (x0 + side, y0), (x0 + side, y0 + side), (x0, y0 + side)],
                       close=True, dxfattribs={"layer": layer})


def make_plate():
    doc = ezdxf.new("R2000")
    doc.units = ezdxf.units.MM  # a plate measured in millimetres
    doc.layers.add("CUT")
    msp = doc.modelspace()
    rounded_rectangle(msp, 0, 0, 120, 80, 10, "CUT")
    for x, y in [(15, 15), (105, 15), (105, 65), (15, 65)]:
        msp.add_circle((x, y), 4, dxfattribs={"layer": "CUT"})
    slot(msp, 60, 40, 40, 6, "CUT")
    square(msp, 140, 0, 80, "CUT")      # frame
    square(msp, 155, 15, 50, "CUT")     # its window
    square(msp, 165, 25, 30, "CUT")     # island inside the window
    msp.add_circle((180, 40), 5, dxfattribs={"layer": "CUT"})  # hole of the island
    doc.saveas(os.path.join(HERE, "plate.dxf"))


if __name__ == "__main__":
    make_plate()
