#!/usr/bin/env python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes the small hand-made ASCII DXF fixtures of the tests.

Each fixture is a list of entities written as raw group-code pairs, so that
the files stay minimal and exactly as intended (run: python3 make_fixtures.py).
"""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def pairs(*items):
    out = []
    for code, value in zip(items[0::2], items[1::2]):
        out.append(f"{code}\n{value}\n")
    return "".join(out)


def layer_entry(name):
    return pairs(0, "LAYER", 2, name, 70, 0, 62, 7, 6, "CONTINUOUS")


def tables(*layers):
    return (pairs(0, "SECTION", 2, "TABLES", 0, "TABLE", 2, "LAYER", 70, len(layers))
            + "".join(layer_entry(n) for n in layers)
            + pairs(0, "ENDTAB", 0, "ENDSEC"))


def line(x1, y1, x2, y2, layer="0", z1=0, z2=0):
    return pairs(0, "LINE", 8, layer, 10, x1, 20, y1, 30, z1, 11, x2, 21, y2, 31, z2)


def arc(cx, cy, r, a1, a2, layer="0"):
    return pairs(0, "ARC", 8, layer, 10, cx, 20, cy, 30, 0, 40, r, 50, a1, 51, a2)


def circle(cx, cy, r, layer="0"):
    return pairs(0, "CIRCLE", 8, layer, 10, cx, 20, cy, 30, 0, 40, r)


def polyline(vertices, closed=False, layer="0", seqend=True):
    """R12 POLYLINE; vertices are (x, y) or (x, y, bulge)."""
    text = pairs(0, "POLYLINE", 8, layer, 66, 1, 10, 0, 20, 0, 30, 0, 70, 1 if closed else 0)
    for v in vertices:
        bulge = v[2] if len(v) > 2 else 0
        text += pairs(0, "VERTEX", 8, layer, 10, v[0], 20, v[1], 30, 0, 42, bulge)
    if seqend:
        text += pairs(0, "SEQEND", 8, layer)
    return text


def lwpolyline(vertices, closed=False, layer="0"):
    text = pairs(0, "LWPOLYLINE", 8, layer, 90, len(vertices), 70, 1 if closed else 0)
    for v in vertices:
        text += pairs(10, v[0], 20, v[1])
        if len(v) > 2 and v[2] != 0:
            text += pairs(42, v[2])
    return text


def text_entity(x, y, value, layer="0"):
    return pairs(0, "TEXT", 8, layer, 10, x, 20, y, 30, 0, 40, 2.5, 1, value)


def block(name, body, base=(0, 0)):
    return (pairs(0, "BLOCK", 8, "0", 2, name, 70, 0, 10, base[0], 20, base[1], 30, 0, 3, name)
            + body + pairs(0, "ENDBLK", 8, "0"))


def insert(name, x, y, layer="0", angle=0, scale=(1, 1, 1)):
    return pairs(0, "INSERT", 8, layer, 2, name, 10, x, 20, y, 30, 0,
                 41, scale[0], 42, scale[1], 43, scale[2], 50, angle)


def dxf(entities, layers=None, blocks=""):
    text = tables(*layers) if layers else ""
    if blocks:
        text += pairs(0, "SECTION", 2, "BLOCKS") + blocks + pairs(0, "ENDSEC")
    text += pairs(0, "SECTION", 2, "ENTITIES") + entities + pairs(0, "ENDSEC", 0, "EOF")
    return text


def square(x0, y0, side, layer="0"):
    x1, y1 = x0 + side, y0 + side
    return (line(x0, y0, x1, y0, layer) + line(x1, y0, x1, y1, layer)
            + line(x1, y1, x0, y1, layer) + line(x0, y1, x0, y0, layer))


FIXTURES = {
    # collector
    "layer_table_duplicates.dxf": dxf(line(0, 0, 1, 0, "0"), layers=["0", "Walls", "Walls"]),
    "unlisted_layer.dxf": dxf(line(0, 0, 1, 0, "Cut") + circle(5, 5, 1, "Cut"), layers=["0"]),
    "polyline_pending.dxf": dxf(polyline([(0, 0), (1, 0), (1, 1)]) + text_entity(0, 0, "note")
                                + line(5, 5, 6, 6)),
    "last_entity_polyline.dxf": dxf(line(5, 5, 6, 6) + lwpolyline([(0, 0), (1, 0), (1, 1)], True)),
    "line_in_block.dxf": dxf("", blocks=block("A", line(0, 0, 1, 0, "Inner"))),
    "insert_inside_block.dxf": dxf("", blocks=block("A", line(0, 0, 1, 0) + insert("B", 0, 0)
                                                    + line(2, 2, 3, 3))),
    "arcs.dxf": dxf(arc(0, 0, 2, 350, 10) + arc(1, 1, 1, 45, 45)),
    "vertex_without_polyline.dxf": dxf(line(0, 0, 1, 0)
                                       + pairs(0, "VERTEX", 8, "0", 10, 7, 20, 8, 30, 0, 42, 0.5)),
    "log_example.dxf": dxf(line(0, 0, 10, 5.5) + circle(1.5, -2, 0.25, "Holes")
                           + arc(0, 0, 1, 0, 90) + polyline([(0, 0), (1, 0, 0.5)], True)
                           + insert("B", 10, 5, "Parts", 30), layers=["0"],
                           blocks=block("B", line(0, 0, 1, 0))),
    "damaged_number.dxf": dxf(pairs(0, "LINE", 8, "0", 10, "abc", 20, 1, 30, 0, 11, 4, 21, "1.5x", 31, 0)
                              + line(0, 0, 1, 1)),
    "truncated.dxf": dxf(line(0, 0, 1, 0) + line(1, 0, 1, 1))[:-60],
    "empty.dxf": "",
    "cp1252_layer.dxf": dxf(line(0, 0, 1, 0, "Au\udcdfen")),  # 0xDF: sharp s in Windows-1252
    # block expansion
    "insert_rotated.dxf": dxf(insert("L", 10, 5, "Parts", 90), blocks=block("L", line(0, 0, 1, 0, "Inner"))),
    "insert_scaled_based.dxf": dxf(insert("L", 0, 0, scale=(2, 2, 1)),
                                   blocks=block("L", line(0, 0, 1, 0), base=(5, 5))),
    "insert_arc_rotations.dxf": dxf(insert("A", 0, 0, angle=30) + insert("A", 0, 0, angle=-90)
                                    + insert("A", 0, 0, angle=400),
                                    blocks=block("A", arc(0, 0, 1, 0, 90))),
    "insert_all_kinds.dxf": dxf(insert("K", 100, 0, "Placed", 90),
                                blocks=block("K", circle(1, 0, 0.5) + line(0, 0, 1, 0) + arc(0, 0, 2, 0, 90)
                                             + polyline([(0, 0), (2, 0, 0.5), (2, 2)], True))),
    "insert_two_definitions.dxf": dxf(insert("D", 0, 0),
                                      blocks=block("D", line(0, 0, 1, 0)) + block("D", line(0, 0, 0, 1))),
    "insert_before_definition.dxf": dxf("", blocks=block("X", insert("Y", 0, 0)) + block("Y", line(0, 0, 1, 0))),
    # bulge explosion
    "bulge_tiny.dxf": dxf(lwpolyline([(0, 0), (1, 0, 0.000001), (1, 1)])),
    "bulge_open_one_arc.dxf": dxf(lwpolyline([(0, 0), (2, 0, 1), (2, 2)])),
    "bulge_repeated_last.dxf": dxf(lwpolyline([(0, 0, 1), (2, 0), (2, 2), (0, 0)])),
    "bulge_semicircle_ccw.dxf": dxf(lwpolyline([(0, 0, 1), (2, 0)])),
    "bulge_semicircle_cw.dxf": dxf(lwpolyline([(0, 0, -1), (2, 0)])),
    "bulge_worked_example.dxf": dxf(polyline([(1, 0, math.tan(math.pi / 8)), (0, 1)])),
    "bulge_zero_chord.dxf": dxf(lwpolyline([(3, 3, 0.5)]) + lwpolyline([(0, 0, 1), (0, 0), (4, 0)])),
    # a semicircle on a chord of 4e-6, whose straight closing edge is too short to keep
    "bulge_short_chord.dxf": dxf(lwpolyline([(0, 0, 1), (4e-6, 0)])),
    # linking
    "square_shuffled.dxf": dxf(line(10, 0, 10, 10) + line(0, 10, 0, 0) + line(0, 0, 10, 0) + line(0, 10, 10, 10)),
    "gap_exact.dxf": dxf(line(0, 0, 1, 0) + line(1.5, 0, 1.5, 1) + line(1.5, 1, 0, 1) + line(0, 1, 0, 0.5)),
    "open_chain_and_square.dxf": dxf(line(100, 0, 110, 0) + line(110, 0, 110, 10) + square(0, 0, 10)),
    "two_layers_touching.dxf": dxf(line(0, 0, 10, 0, "A") + line(10, 0, 0, 0, "B")),
    "full_circle_arc.dxf": dxf(arc(5, 5, 2, 30, 30)),
    "short_segment.dxf": dxf(line(0, 0, 0.5, 0)),
    "closed_polyline_touching.dxf": dxf(lwpolyline([(0, 0), (10, 0), (10, 10), (0, 10)], True)
                                        + line(10, 10, 20, 10) + line(20, 10, 10, 10)),
    "reversed_cw_arc.dxf": dxf(line(5, 5, 2, 0) + lwpolyline([(0, 0, -1), (2, 0, 1)])),
    "three_meet.dxf": dxf(line(0, 0, 10, 0) + line(10, 0, 10, 10) + line(10, 0, 20, 0)
                          + line(10, 10, 0, 0)),
    "vertexless_polylines.dxf": dxf(polyline([], False) + polyline([], True) + line(0, 0, 1, 0)
                                    + line(1, 0, 0, 0)),
    # classification and the reader
    "square_with_circle_hole.dxf": dxf(square(0, 0, 10) + circle(5, 5, 2)),
    "island_same_pass.dxf": dxf(square(0, 0, 100) + square(10, 10, 80) + square(20, 20, 60)),
    "island_later_pass.dxf": dxf(square(20, 20, 60) + square(10, 10, 80) + square(0, 0, 100)),
    "squares_two_layers.dxf": dxf(square(0, 0, 100, "A") + square(10, 10, 80, "B")),
    "circle_in_square.dxf": dxf(circle(50, 50, 10) + square(0, 0, 100)),
    "square_in_circle.dxf": dxf(square(-5, -5, 10) + circle(0, 0, math.sqrt(50))),
    "concentric_circles.dxf": dxf(circle(0, 0, 5) + circle(0, 0, 10)),
    "equal_circles.dxf": dxf(circle(0, 0, 5) + circle(0, 0, 5)),
    "circle_touching_vertex.dxf": dxf(square(0, 0, 10) + circle(2, 2, math.sqrt(8))),
    "arc_bulging_outside.dxf": dxf(square(0, 0, 100)
                                   + lwpolyline([(10, 10), (90, 10, 1), (90, 90), (10, 90)], True)),
    "arc_cut_twice.dxf": dxf(lwpolyline([(0, -10, -math.tan(math.radians(270) / 4)), (0, 10)], True)
                             + circle(-8, 0, 1)),
    "full_circle_contour.dxf": dxf(arc(0, 0, 10, 0, 0) + circle(0, 0, 1)),
    "full_circle_contour_top.dxf": dxf(arc(0, 0, 10, 90, 90) + circle(0, 0, 1)),
    # a plate corner rounded by a 270 degree lobe around a bolt hole; the hole's
    # ray runs through the lobe's end vertex (4, 0)
    "corner_lobe.dxf": dxf(arc(0, 0, 4, 90, 0) + line(4, 0, 20, 0) + line(20, 0, 20, 20)
                           + line(20, 20, 0, 20) + line(0, 20, 0, 4) + circle(0, 0, 3)),
    # a circle far left of a small round contour, at a height just below its top
    "far_left_of_small_circle.dxf": dxf(lwpolyline([(0.1, 0, 1), (-0.1, 0, 1)], True)
                                        + circle(-50, 0.1 - 1e-6, 1)),
    "hole_order.dxf": dxf(circle(20, 20, 2) + square(0, 0, 100) + square(50, 50, 10) + circle(80, 20, 2)
                          + square(10, 60, 10)),
    "coincident_squares.dxf": dxf(square(0, 0, 10) + lwpolyline([(0, 0), (10, 0), (10, 10), (0, 10)], True)),
    "open_chain_facade.dxf": dxf(square(0, 0, 10) + line(100, 0, 110, 0), layers=["0", "Empty"]),
    "circle_with_two_holes.dxf": dxf(circle(0, 0, 50) + circle(-20, 0, 5) + circle(20, 0, 5)),
    "duplicate_layer_shapes.dxf": dxf(square(0, 0, 10, "Walls"), layers=["Walls", "Walls"]),
    "event_arguments.dxf": dxf(insert("B", 3, 4, "Parts", 30, scale=(2, 3, 1)) + arc(1, 2, 2, 0, 90),
                               blocks=block("B", line(0, 0, 1, 0), base=(5, 6))),
    # the window
    "gap_two.dxf": dxf(line(0, 0, 10, 0) + line(10, 0, 10, 10) + line(10, 10, 0, 10) + line(0, 10, 0, 2)),
    "wide_rect.dxf": dxf(line(0, 0, 200, 0) + line(200, 0, 200, 100) + line(200, 100, 0, 100)
                         + line(0, 100, 0, 0) + circle(100, 50, 25)),
}


def with_count(entity, code, count):
    """An entity that announces count items and brings none, then a 10x10 square."""
    return dxf(pairs(0, entity, 8, "0", code, count) + square(0, 0, 10))


def inserted_many(lines, inserts):
    body = "".join(line(i, 0, i, 1) for i in range(lines))
    return dxf("".join(insert("MANY", 0, 10 * k) for k in range(inserts)),
               blocks=block("MANY", body))


# Hostile input: files whose bytes matter (line ends, encodings, lengths).
# The reliability reproducers (binary_dxf.dxf, utf16le_bom.dxf, ...) are kept
# as they were found.
SQUARE_WITH_HOLE = dxf(square(0, 0, 10) + circle(5, 5, 2))
HOSTILE = {
    "count_lwpolyline_90.dxf": with_count("LWPOLYLINE", 90, 2**28).encode(),
    "count_spline_72.dxf": with_count("SPLINE", 72, 2**28).encode(),
    "count_spline_73.dxf": with_count("SPLINE", 73, 2**28).encode(),
    "count_spline_74.dxf": with_count("SPLINE", 74, 2**28).encode(),
    "count_leader_76.dxf": with_count("LEADER", 76, 2**28).encode(),
    # 4294967386 is 90 once dxflib has cut it to an int
    "count_code_wraps.dxf": with_count("LWPOLYLINE", 4294967386, 2**28).encode(),
    "count_lwpolyline_kept.dxf": dxf(pairs(0, "LWPOLYLINE", 8, "0", 90, 4, 70, 1, 10, 0, 20, 0,
                                           10, 10, 20, 0, 10, 10, 20, 10, 10, 0, 20, 10)).encode(),
    "line_ends_cr.dxf": SQUARE_WITH_HOLE.replace("\n", "\r").encode(),
    "line_ends_crlf.dxf": SQUARE_WITH_HOLE.replace("\n", "\r\n").encode(),
    "utf16be_no_bom.dxf": dxf(square(0, 0, 10, "Ma\u00df")).encode("utf-16-be"),
    "long_lines.dxf": dxf(line(0, 0, 5, 0, "L" * 5000) + line(0, 0, 5, 0, "K" * 1023)
                          + square(0, 0, 10)).encode(),
    "truncated_after_square.dxf": SQUARE_WITH_HOLE.replace("ENDSEC\n0\nEOF\n", "").encode()
    + pairs(0, "LINE", 8, "0", 10).encode(),
    "inserted_many.dxf": inserted_many(20, 10).encode(),
    # a text file saved under a drawing's name: no group codes at all
    "plain_text.dxf": b"Order 1187: three brackets, 2 mm steel\nCut from the offcut of 1186\n",
    # -1e999 overflows to the most negative double; 1e999 to the largest, a real circle
    "radius_overflow.dxf": dxf(pairs(0, "CIRCLE", 8, "0", 10, 0, 20, 0, 30, 0, 40, "-1e999")
                               + pairs(0, "ARC", 8, "Cut", 10, 0, 20, 0, 30, 0, 40, "-0", 50, 0, 51, 90)
                               + circle(5, 5, 2)).encode(),
}


def write_all():
    for name, text in FIXTURES.items():
        with open(os.path.join(HERE, name), "w", encoding="utf-8", errors="surrogateescape",
                  newline="\n") as f:
            f.write(text)
    for name, data in HOSTILE.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    write_all()
