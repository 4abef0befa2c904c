#!/usr/bin/python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes the drawings of the preflight check's tests with ezdxf: one
drawing per finding, each with the place the finding belongs at (see
tests/check_test.cpp), and the plates of the overlap merging tests.

Run: /usr/bin/python3 tests/data/check/make_check_fixtures.py
"""
import math
import os

import ezdxf
from ezdxf import units

HERE = os.path.dirname(os.path.abspath(__file__))


def new(insunits=units.MM):
    doc = ezdxf.new("R2010")
    doc.header["$INSUNITS"] = insunits
    return doc


def rectangle(msp, x0, y0, x1, y1, layer="CUT"):
    msp.add_lwpolyline([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], close=True,
                       dxfattribs={"layer": layer})


def lines(msp, points, layer="CUT"):
    for a, b in zip(points, points[1:]):
        msp.add_line(a, b, dxfattribs={"layer": layer})


def open_chain(msp):
    """Three sides of a plate: loose ends at (0, 0) and (0, 30)."""
    lines(msp, [(0, 0), (50, 0), (50, 30), (0, 30)])


def self_intersection(msp):
    """A bow tie: its edges cross at (20, 15)."""
    msp.add_lwpolyline([(0, 0), (40, 30), (40, 0), (0, 30)], close=True,
                       dxfattribs={"layer": "CUT"})


def outlines_cross(msp):
    """Two plates overlapping: their outlines cross at (40, 10) and (20, 40)."""
    rectangle(msp, 0, 0, 40, 40)
    rectangle(msp, 20, 10, 60, 50)


def circles_cross(msp):
    """Two round parts: the circles cross at (6, 8) and (6, -8)."""
    msp.add_circle((0, 0), 10, dxfattribs={"layer": "CUT"})
    msp.add_circle((12, 0), 10, dxfattribs={"layer": "CUT"})


def overlapping_lines(msp):
    """A plate whose bottom edge is drawn again from (20, 0): 30 drawn twice,
    the middle of it at (35, 0)."""
    lines(msp, [(0, 0), (50, 0), (50, 40), (0, 40), (0, 0)])
    msp.add_line((20, 0), (50, 0), dxfattribs={"layer": "CUT"})


def overlapping_arcs(msp):
    """A round part of radius 10 drawn as two half arcs, and an arc from 90
    to 135 degrees over them: 10 pi / 4 drawn twice, centred at 112.5
    degrees."""
    for start, end in ((0, 180), (180, 360), (90, 135)):
        msp.add_arc((0, 0), 10, start, end, dxfattribs={"layer": "CUT"})


def duplicate_outline(msp):
    """The same square as a polyline and as four lines."""
    rectangle(msp, 0, 0, 30, 30)
    lines(msp, [(30, 30), (0, 30), (0, 0), (30, 0), (30, 30)])


def small_hole(msp):
    """A plate with a hole of diameter 2 at (25, 25)."""
    rectangle(msp, 0, 0, 50, 50)
    msp.add_circle((25, 25), 1, dxfattribs={"layer": "CUT"})


def narrow_web(msp):
    """Two holes 1 apart: the web's middle at (40.5, 25); a third hole 5 from
    the outline."""
    rectangle(msp, 0, 0, 100, 50)
    msp.add_circle((30, 25), 10, dxfattribs={"layer": "CUT"})
    msp.add_circle((51, 25), 10, dxfattribs={"layer": "CUT"})
    msp.add_circle((85, 25), 10, dxfattribs={"layer": "CUT"})


def slot(msp, center, angle, half=5, radius=2):
    """A slot along `angle` (degrees): two half circles joined by lines."""
    ux, uy = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    nx, ny = -uy, ux
    x, y = center

    def at(s, t):
        return (x + s * half * ux + t * radius * nx, y + s * half * uy + t * radius * ny)

    points = [at(-1, -1), at(1, -1), at(1, 1), at(-1, 1)]
    bulges = [0, 1, 0, 1]
    msp.add_lwpolyline([p + (b,) for p, b in zip(points, bulges)], format="xyb", close=True,
                       dxfattribs={"layer": "CUT"})


def arc_webs(msp):
    """Webs measured through chords, under a limit of 3. Round plates of
    radius 20 at x = 0 and 50, each with a level slot whose end caps come
    within 2.9 and 3.5 of the rim (arc against arc); plates 50 x 40 at
    x = 100 and 150 with a slot at 30 degrees whose upper cap comes within
    2.99 and 3.01 of the straight top edge, at x + 4.330 (its highest point
    lies halfway along a coarse chord of the cap)."""
    for x, gap in ((0, 2.9), (50, 3.5)):
        msp.add_circle((x, 0), 20, dxfattribs={"layer": "CUT"})
        slot(msp, (x, ((18 - gap) ** 2 - 25) ** 0.5), 0)
    for x, gap in ((100, 2.99), (150, 3.01)):
        rectangle(msp, x - 25, -20, x + 25, 20)
        slot(msp, (x, 15.5 - gap), 30)


def doubled_crossing(msp):
    """A plate drawn twice over itself and a bar across both copies: the bar
    crosses each copy at (40, 10) and (40, 20)."""
    rectangle(msp, 0, 0, 40, 30)
    rectangle(msp, 0, 0, 40, 30)
    rectangle(msp, 20, 10, 60, 20)


def vertex_crossing(msp):
    """A square and a quadrilateral whose corners (10, 5) and (5, 10) lie on
    the square's sides: it crosses the square there only, never inside an
    edge of both. Beside them, outlines that meet without crossing: a
    triangle whose corner touches a square's side from outside, and two
    squares sharing a side."""
    rectangle(msp, 0, 0, 10, 10)
    msp.add_lwpolyline([(10, 5), (20, 20), (5, 10), (3, 3)], close=True,
                       dxfattribs={"layer": "CUT"})
    rectangle(msp, 30, 0, 40, 10)
    msp.add_lwpolyline([(40, 5), (50, 0), (50, 10)], close=True, dxfattribs={"layer": "CUT"})
    rectangle(msp, 60, 0, 70, 10)
    rectangle(msp, 70, 0, 80, 10)


def tight_corner(msp):
    """A plate with a window whose corner at (200, 100) is rounded with
    radius 2 (the arc's middle at (199.414, 100.586)): under a kerf of 5
    the cut rounds it to 2.5. The plate's own corners at (500, 0) and (0, 0),
    rounded with radius 2, bend away from the material and do not count."""
    lines(msp, [(2, 0), (498, 0)])
    msp.add_arc((498, 2), 2, -90, 0, dxfattribs={"layer": "CUT"})
    lines(msp, [(500, 2), (500, 300), (0, 300), (0, 2)])
    msp.add_arc((2, 2), 2, 180, 270, dxfattribs={"layer": "CUT"})
    lines(msp, [(200, 102), (200, 200), (100, 200), (100, 100), (198, 100)])
    msp.add_arc((198, 102), 2, -90, 0, dxfattribs={"layer": "CUT"})


def text_not_outlined(msp):
    """A part with its number written on it at (5, 5); a note elsewhere on a
    layer without parts."""
    rectangle(msp, 0, 0, 40, 20)
    msp.add_text("A-17", dxfattribs={"layer": "CUT", "insert": (5, 5), "height": 3})
    msp.add_mtext("bend up", dxfattribs={"layer": "NOTES", "insert": (60, 5)})


def tiny_entities(msp):
    """A plate, and two lines of no length, the first at (70, 70)."""
    rectangle(msp, 0, 0, 40, 20)
    msp.add_line((70, 70), (70, 70), dxfattribs={"layer": "CUT"})
    msp.add_line((80, 70), (80, 70), dxfattribs={"layer": "CUT"})


def tiny_part(msp):
    """A part 1.5 long in millimetres: in inches it would be 38.1 mm."""
    rectangle(msp, 0, 0, 1.5, 1)


def huge_part(msp):
    """A part 20 000 long in millimetres: in points it would be 7056 mm."""
    rectangle(msp, 0, 0, 20000, 10000)


def larger_than_sheet(msp):
    """On a sheet 100 x 100: a plate 120 x 80 centred at (60, 40) fits in no
    rotation; a bar 105 x 10 fits across the diagonal."""
    rectangle(msp, 0, 0, 120, 80)
    rectangle(msp, 200, 0, 305, 10)


def island(msp):
    """A frame whose window holds an island centred at (25, 25)."""
    rectangle(msp, 0, 0, 50, 50)
    rectangle(msp, 10, 10, 40, 40)
    rectangle(msp, 20, 20, 30, 30)


def clean_plate(msp):
    """The plate of the merging tests: 60 x 40, a round hole and a slot."""
    rectangle(msp, 0, 0, 60, 40)
    msp.add_circle((15, 20), 5, dxfattribs={"layer": "CUT"})
    lines(msp, [(30, 15), (45, 15)])
    msp.add_arc((45, 20), 5, -90, 90, dxfattribs={"layer": "CUT"})
    lines(msp, [(45, 25), (30, 25)])
    msp.add_arc((30, 20), 5, 90, 270, dxfattribs={"layer": "CUT"})


def doubled_plate(msp):
    """The clean plate with every edge drawn twice and its bottom edge a
    third time from its middle; the slot's arcs twice, one from a third of
    the way along."""
    for _ in range(2):
        lines(msp, [(0, 0), (60, 0), (60, 40), (0, 40), (0, 0)])
        lines(msp, [(30, 15), (45, 15)])
        lines(msp, [(45, 25), (30, 25)])
        msp.add_arc((30, 20), 5, 90, 270, dxfattribs={"layer": "CUT"})
    msp.add_line((30, 0), (60, 0), dxfattribs={"layer": "CUT"})
    msp.add_circle((15, 20), 5, dxfattribs={"layer": "CUT"})
    msp.add_arc((45, 20), 5, -90, 90, dxfattribs={"layer": "CUT"})
    msp.add_arc((45, 20), 5, -30, 90, dxfattribs={"layer": "CUT"})


def doubled_across_layers(msp):
    """The plate's outline drawn on CUT and again on MARK, side by side in
    the file, and its bottom edge a third time on CUT: only that edge is
    drawn twice on one layer (60)."""
    corners = [(0, 0), (60, 0), (60, 40), (0, 40), (0, 0)]
    for a, b in zip(corners, corners[1:]):
        for layer in ("CUT", "MARK"):
            msp.add_line(a, b, dxfattribs={"layer": layer})
    msp.add_line((0, 0), (60, 0), dxfattribs={"layer": "CUT"})


def plate_outline(msp):
    """The clean plate with its outline and slot as closed polylines."""
    rectangle(msp, 0, 0, 60, 40)
    msp.add_circle((15, 20), 5, dxfattribs={"layer": "CUT"})
    msp.add_lwpolyline([(30, 15, 0), (45, 15, 1), (45, 25, 0), (30, 25, 1)], format="xyb",
                       close=True, dxfattribs={"layer": "CUT"})


def overdrawn_polylines(msp):
    """The polyline plate with loose lines and arcs drawn over its edges:
    the whole bottom edge, 20 of the right and 30 of the top, the lower
    straight side of the slot, a quarter of its right end and 50 degrees of
    the round hole across angle 0 (125 + 25 pi / 18 + 5 pi / 2 in all)."""
    plate_outline(msp)
    for a, b in (((0, 0), (60, 0)), ((60, 10), (60, 30)), ((0, 40), (30, 40)),
                 ((30, 15), (45, 15))):
        msp.add_line(a, b, dxfattribs={"layer": "CUT"})
    msp.add_arc((45, 20), 5, -90, 0, dxfattribs={"layer": "CUT"})
    msp.add_arc((15, 20), 5, 350, 40, dxfattribs={"layer": "CUT"})


def line_over_polyline(msp):
    """A plate drawn as a polyline and a line over its bottom edge from
    (20, 0): 30 drawn twice, the middle of it at (35, 0)."""
    rectangle(msp, 0, 0, 50, 40)
    msp.add_line((20, 0), (50, 0), dxfattribs={"layer": "CUT"})


def line_past_polyline(msp):
    """A plate drawn as a polyline and a line from (40, 0) on its bottom edge
    to (70, 0), 20 past its corner: 10 drawn twice, 20 loose."""
    rectangle(msp, 0, 0, 50, 40)
    msp.add_line((40, 0), (70, 0), dxfattribs={"layer": "CUT"})


def edges_across_polylines(msp):
    """A plate drawn as a polyline with a slot polyline inside, a line from
    (-10, 0) to (60, 0) along its whole bottom edge, and an arc from -120 to
    120 degrees over the slot's right end (-90 to 90): 10 and 10 of the
    line and 30 and 30 degrees of the arc reach past what they overlap."""
    rectangle(msp, 0, 0, 50, 40)
    msp.add_lwpolyline([(20, 15, 0), (30, 15, 1), (30, 25, 0), (20, 25, 1)], format="xyb",
                       close=True, dxfattribs={"layer": "CUT"})
    msp.add_line((-10, 0), (60, 0), dxfattribs={"layer": "CUT"})
    msp.add_arc((30, 20), 5, -120, 120, dxfattribs={"layer": "CUT"})


FIXTURES = {
    "open_chain": open_chain,
    "self_intersection": self_intersection,
    "outlines_cross": outlines_cross,
    "circles_cross": circles_cross,
    "overlapping_lines": overlapping_lines,
    "overlapping_arcs": overlapping_arcs,
    "duplicate_outline": duplicate_outline,
    "small_hole": small_hole,
    "narrow_web": narrow_web,
    "tight_corner": tight_corner,
    "arc_webs": arc_webs,
    "doubled_crossing": doubled_crossing,
    "vertex_crossing": vertex_crossing,
    "text_not_outlined": text_not_outlined,
    "tiny_entities": tiny_entities,
    "larger_than_sheet": larger_than_sheet,
    "island": island,
    "clean_plate": clean_plate,
    "doubled_plate": doubled_plate,
    "doubled_across_layers": doubled_across_layers,
    "plate_outline": plate_outline,
    "overdrawn_polylines": overdrawn_polylines,
    "line_over_polyline": line_over_polyline,
    "line_past_polyline": line_past_polyline,
    "edges_across_polylines": edges_across_polylines,
}

if __name__ == "__main__":
    for name, draw in FIXTURES.items():
        doc = new()
        draw(doc.modelspace())
        doc.saveas(os.path.join(HERE, name + ".dxf"))
    for name, draw, unit in (("inch_read_as_mm", tiny_part, units.MM),
                             ("points_read_as_mm", huge_part, units.MM),
                             ("unit_unknown", clean_plate, 0)):
        doc = new(unit)
        draw(doc.modelspace())
        doc.saveas(os.path.join(HERE, name + ".dxf"))
