#!/usr/bin/python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes the drawings of the accurate-geometry tests with ezdxf, and for
each one a flat twin: the same drawing exploded by ezdxf into model-space
LINE, ARC, CIRCLE and LWPOLYLINE in world coordinates (extrusion +Z), so that
the reader's accurate mode can be compared with an independent
implementation of block placement and object coordinate systems.

Run from anywhere: /usr/bin/python3 tests/data/accurate/make_accurate.py
"""
import math
import os

import ezdxf
from ezdxf.math import Vec3, OCS

HERE = os.path.dirname(os.path.abspath(__file__))


def square(layout, x, y, size, layer="0"):
    layout.add_lwpolyline([(x, y), (x + size, y), (x + size, y + size), (x, y + size)],
                          close=True, dxfattribs={"layer": layer})


def l_bracket(block):
    """An L outline of loose lines with a fillet arc, and a round hole."""
    block.add_line((0, 0), (30, 0))
    block.add_line((30, 0), (30, 10))
    block.add_line((30, 10), (15, 10))
    block.add_arc((15, 15), 5, 180, 270)  # fillet from (10, 15) to (15, 10)
    block.add_line((10, 15), (10, 30))
    block.add_line((10, 30), (0, 30))
    block.add_line((0, 30), (0, 0))
    block.add_circle((5, 5), 2)


def case_base_point(doc):
    msp = doc.modelspace()
    msp.add_circle((0, 0), 100)
    hole = doc.blocks.new("HOLE", base_point=(0, 40))
    hole.add_circle((0, 90), 5)
    for k in range(6):
        msp.add_blockref("HOLE", (0, 0), dxfattribs={"rotation": 60 * k})


def case_uniform_scale(doc):
    block = doc.blocks.new("PLATE")
    square(block, 0, 0, 10)
    block.add_circle((5, 5), 2)
    doc.modelspace().add_blockref("PLATE", (100, 50), dxfattribs={"xscale": 2, "yscale": 2})


def bracket_case(doc, **attribs):
    l_bracket(doc.blocks.new("BRACKET"))
    doc.modelspace().add_blockref("BRACKET", (50, 20), dxfattribs=attribs)


def case_mirror_x(doc):
    bracket_case(doc, xscale=-1)


def case_mirror_y(doc):
    bracket_case(doc, yscale=-1)


def case_rotation_mirror(doc):
    bracket_case(doc, xscale=-1, rotation=30)


def case_minsert(doc):
    block = doc.blocks.new("CELL", base_point=(1, 1))
    square(block, 1, 1, 8)
    block.add_circle((5, 5), 1.5)
    ref = doc.modelspace().add_blockref("CELL", (0, 0), dxfattribs={"rotation": 15})
    ref.grid(size=(2, 3), spacing=(12, 20))  # 2 rows 12 apart, 3 columns 20 apart


def case_nested_later(doc):
    # Blocks are written in the order they are created: OUTER uses MIDDLE,
    # MIDDLE uses INNER, each defined after the block that inserts it.
    outer = doc.blocks.new("OUTER")
    middle = doc.blocks.new("MIDDLE", base_point=(2, 0))
    inner = doc.blocks.new("INNER")
    outer.add_blockref("MIDDLE", (100, 0), dxfattribs={"rotation": 90, "xscale": 2, "yscale": 2})
    square(outer, 0, 0, 5)
    middle.add_blockref("INNER", (10, 10), dxfattribs={"xscale": -1})
    middle.add_circle((2, 0), 1)
    square(inner, 0, 0, 4)
    inner.add_circle((2, 2), 1)
    doc.modelspace().add_blockref("OUTER", (0, 0))


def case_self_insert(doc):
    block = doc.blocks.new("SELF")
    square(block, 0, 0, 10)
    block.add_blockref("SELF", (2.5, 2.5), dxfattribs={"xscale": 0.5, "yscale": 0.5})
    doc.modelspace().add_blockref("SELF", (0, 0))


def case_layer_zero(doc):
    doc.layers.add("PART")
    doc.layers.add("KEEP")
    outer = doc.blocks.new("A")
    inner = doc.blocks.new("B")
    square(outer, 0, 0, 40)  # layer 0: takes the layer of the insert placing it
    outer.add_blockref("B", (5, 5))  # on layer 0 too: passes PART on
    inner.add_circle((10, 10), 3)  # layer 0 through two levels: PART
    square(inner, 0, 0, 30, layer="KEEP")  # keeps its own layer
    doc.modelspace().add_blockref("A", (0, 0), dxfattribs={"layer": "PART"})


MIRROR = {"extrusion": (0, 0, -1)}


def case_extrusion_arc(doc):
    msp = doc.modelspace()
    # A slot around world x from -20 to -10: its arcs written in the mirrored
    # OCS, where x runs the other way.
    msp.add_line((-10, 2), (-20, 2))
    msp.add_line((-20, -2), (-10, -2))
    msp.add_arc((10, 0), 2, 90, 270, dxfattribs=MIRROR)  # world centre (-10, 0), right end
    msp.add_arc((20, 0), 2, 270, 90, dxfattribs=MIRROR)  # world centre (-20, 0), left end


def case_extrusion_circle(doc):
    msp = doc.modelspace()
    square(msp, -10, 0, 10)
    msp.add_circle((5, 5), 2, dxfattribs=MIRROR)  # world centre (-5, 5)


def case_extrusion_lwpolyline(doc):
    msp = doc.modelspace()
    # OCS coordinates: the outline lies at world x from -30 to -10.
    msp.add_lwpolyline([(10, 0, 0, 0, 0.5), (30, 0), (30, 20), (10, 20)], format="xyseb",
                       close=True, dxfattribs=MIRROR)
    msp.add_circle((-20, 10), 3)


def case_extrusion_insert(doc):
    l_bracket(doc.blocks.new("BRACKET"))
    doc.modelspace().add_blockref("BRACKET", (50, 20), dxfattribs=MIRROR)


def case_paper_space(doc):
    square(doc.modelspace(), 0, 0, 10)
    square(doc.layout("Layout1"), 100, 100, 10)


def case_open_bulged_polyline(doc):
    msp = doc.modelspace()
    # A U of straight sides and a half-circle bottom, open at the top, closed by a line.
    msp.add_lwpolyline([(0, 20, 0, 0, 0), (0, 5, 0, 0, 1), (10, 5, 0, 0, 0), (10, 20)],
                       format="xyseb")
    msp.add_line((10, 20), (0, 20))


def case_channel_profile(doc):
    # One open polyline whose ends meet: a C channel 0.5 thick, with vertices
    # closer together than the default linking distance 1.
    points = [(0, 0), (20, 0), (20, 0.5), (0.5, 0.5), (0.5, 9.5), (20, 9.5), (20, 10), (0, 10),
              (0, 0)]
    doc.modelspace().add_lwpolyline(points)


def case_tilted_circle(doc):
    msp = doc.modelspace()
    circle = msp.add_circle((5, 5), 2, dxfattribs={"extrusion": (0, 0.6, 0.8)})
    centre = circle.ocs().to_wcs(Vec3(5, 5, 0))  # seen from above: an ellipse around here
    square(msp, centre.x - 5, centre.y - 5, 10)
    # On its edge, seen from above: a line.
    msp.add_circle((5, 5), 2, dxfattribs={"extrusion": (1, 0, 0)})


def case_ten_levels(doc):
    # Ten levels of ten inserts each: 10^10 copies of one line.
    doc.blocks.new("L0").add_line((0, 0), (1, 0))
    for level in range(1, 11):
        block = doc.blocks.new(f"L{level}")
        for k in range(10):
            block.add_blockref(f"L{level - 1}", (0, 2 * k))
    doc.modelspace().add_blockref("L10", (0, 0))


CASES = {
    "base_point": case_base_point,
    "uniform_scale": case_uniform_scale,
    "mirror_x": case_mirror_x,
    "mirror_y": case_mirror_y,
    "rotation_mirror": case_rotation_mirror,
    "minsert": case_minsert,
    "nested_later": case_nested_later,
    "self_insert": case_self_insert,
    "layer_zero": case_layer_zero,
    "extrusion_arc": case_extrusion_arc,
    "extrusion_circle": case_extrusion_circle,
    "extrusion_lwpolyline": case_extrusion_lwpolyline,
    "extrusion_insert": case_extrusion_insert,
    "paper_space": case_paper_space,
    "open_bulged_polyline": case_open_bulged_polyline,
    "channel_profile": case_channel_profile,
    "tilted_circle": case_tilted_circle,
    "ten_levels": case_ten_levels,
}

# Cases without a flat twin: ezdxf explodes a self-inserting block without
# end, and a tilted circle is an ellipse in the plane.
NO_TWIN = {"self_insert", "tilted_circle", "ten_levels"}


# --- the flat twin ---------------------------------------------------------

def flatten(entities, layer_for_zero=None):
    """ezdxf's own explosion of inserts, recursively; layer 0 inside a block
    takes the layer of the insert that places it."""
    for entity in entities:
        layer = entity.dxf.layer
        if layer_for_zero is not None and layer == "0":
            layer = layer_for_zero
        if entity.dxftype() == "INSERT":
            inserts = entity.multi_insert() if entity.mcount > 1 else [entity]
            for single in inserts:
                yield from flatten(single.virtual_entities(), layer)
        else:
            yield entity, layer


def world_arc(arc):
    """An ARC or CIRCLE in world coordinates, counter-clockwise about +Z."""
    ocs = arc.ocs()
    centre = ocs.to_wcs(arc.dxf.center)
    if arc.dxftype() == "CIRCLE":
        return centre, arc.dxf.radius, None
    start = arc.start_point - centre  # ezdxf gives the end points in world coordinates
    end = arc.end_point - centre
    if arc.dxf.extrusion.z < 0:  # mirrored plane: the arc runs clockwise seen from +Z
        start, end = end, start
    return centre, arc.dxf.radius, (math.degrees(math.atan2(start.y, start.x)),
                                    math.degrees(math.atan2(end.y, end.x)))


def write_twin(doc, path):
    twin = ezdxf.new("R2010")
    flat = twin.modelspace()
    for entity, layer in flatten(doc.modelspace()):
        attribs = {"layer": layer}
        kind = entity.dxftype()
        if kind == "LINE":
            flat.add_line(entity.dxf.start, entity.dxf.end, dxfattribs=attribs)
        elif kind in ("ARC", "CIRCLE"):
            centre, radius, angles = world_arc(entity)
            if angles is None:
                flat.add_circle(centre, radius, dxfattribs=attribs)
            else:
                flat.add_arc(centre, radius, angles[0], angles[1], dxfattribs=attribs)
        elif kind == "LWPOLYLINE":
            ocs = entity.ocs()
            flip = entity.dxf.extrusion.z < 0
            points = [(ocs.to_wcs(Vec3(x, y, 0)).x, ocs.to_wcs(Vec3(x, y, 0)).y, 0, 0, -b if flip else b)
                      for x, y, _, _, b in entity.get_points("xyseb")]
            flat.add_lwpolyline(points, format="xyseb", close=entity.closed, dxfattribs=attribs)
        else:
            raise ValueError(f"no flat form for {kind}")
    twin.saveas(path)


def main():
    for name, build in CASES.items():
        doc = ezdxf.new("R2010")
        build(doc)
        doc.saveas(os.path.join(HERE, name + ".dxf"))
        if name not in NO_TWIN:
            write_twin(doc, os.path.join(HERE, name + ".flat.dxf"))


if __name__ == "__main__":
    main()
