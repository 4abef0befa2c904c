#!/usr/bin/env python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes the bundled example drawings with ezdxf (Debian's python3-ezdxf).

plate.dxf: a plate with rounded corners (LWPOLYLINE with bulges), four round
holes, a slot drawn as loose LINEs and ARCs, and beside it a frame whose
square window holds an island with its own hole.

bracket_plate.dxf: a plate with an elliptical slot (ELLIPSE), and beside it a
bracket placed by an INSERT that mirrors and scales its block: what a CAD
program shows needs accurate geometry.

    /usr/bin/python3 examples/make_examples.py [plate] [bracket_plate]

writes the named drawings (all without names).
"""
import math
import os
import sys

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


def bracket_block(doc):
    """A bracket of loose lines with a fillet arc and a round hole, drawn
    about a base point that is not the origin."""
    block = doc.blocks.new("BRACKET", base_point=(10, 10))
    for start, end in [((10, 10), (50, 10)), ((50, 10), (50, 20)), ((50, 20), (30, 20)),
                       ((20, 30), (20, 50)), ((20, 50), (10, 50)), ((10, 50), (10, 10))]:
        block.add_line(start, end, dxfattribs={"layer": "CUT"})
    block.add_arc((30, 30), 10, 180, 270, dxfattribs={"layer": "CUT"})  # (20, 30) to (30, 20)
    block.add_circle((16, 16), 3, dxfattribs={"layer": "CUT"})


def make_bracket_plate():
    doc = ezdxf.new("R2000")
    doc.units = ezdxf.units.MM
    doc.layers.add("CUT")
    msp = doc.modelspace()
    rounded_rectangle(msp, 0, 0, 100, 60, 8, "CUT")
    msp.add_ellipse((50, 30), major_axis=(25, 0), ratio=0.4, dxfattribs={"layer": "CUT"})
    bracket_block(doc)
    # Mirrored in x and scaled 1.5: the bracket spans x 110 to 170, y 0 to 60.
    msp.add_blockref("BRACKET", (170, 0), dxfattribs={"layer": "CUT", "xscale": -1.5,
                                                      "yscale": 1.5})
    doc.saveas(os.path.join(HERE, "bracket_plate.dxf"))


MAKERS = {"plate": make_plate, "bracket_plate": make_bracket_plate}

if __name__ == "__main__":
    for name in sys.argv[1:] or list(MAKERS):
        MAKERS[name]()
