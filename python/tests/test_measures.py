# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""The figures of parts from Python: the drawings of tests/data/measures,
whose figures follow from a formula, against the properties of shapes,
holes, layers and drawings."""
import math
import os

import pytest

import quillform

DATA = os.environ.get("QUILLFORM_TEST_DATA", os.path.join(os.path.dirname(__file__), "..", "..",
                                                          "tests", "data"))


def read(name, **settings):
    return quillform.read(os.path.join(DATA, name), distance=1e-6, **settings)


def rounded_area(w, h, r):
    return w * h - (4 - math.pi) * r * r


def rounded_length(w, h, r):
    return 2 * (w + h) - 8 * r + 2 * math.pi * r


def test_a_part_turned_by_30_degrees():
    (part,) = read("measures/rotated_part.dxf").layers[0].shapes
    assert part.pierces == 2
    assert part.outer_area == pytest.approx(rounded_area(60, 30, 5))
    assert part.area == pytest.approx(rounded_area(60, 30, 5) - 16 * math.pi)
    assert part.cut_length == pytest.approx(rounded_length(60, 30, 5) + 8 * math.pi)
    assert part.outer_length == pytest.approx(rounded_length(60, 30, 5))
    assert part.length == part.outer_length  # an outline's own length: the outer one
    width, height, angle = part.min_rectangle
    assert (width, height) == (pytest.approx(60), pytest.approx(30))
    assert angle == pytest.approx(30)
    assert part.min_rectangle.angle == angle
    assert part.hull_area == pytest.approx(rounded_area(60, 30, 5))
    cos30, sin30 = math.sqrt(3) / 2, 0.5
    assert part.width == pytest.approx(50 * cos30 + 20 * sin30 + 10)
    assert part.height == pytest.approx(50 * sin30 + 20 * cos30 + 10)
    assert part.smallest_hole == pytest.approx(8)
    assert part.smallest_radius == pytest.approx(4)
    # The hole's own figures: a circle of radius 4.
    (hole,) = part.holes
    assert hole.length == pytest.approx(8 * math.pi)
    assert hole.smallest_radius == pytest.approx(4)
    assert tuple(hole.min_rectangle) == (pytest.approx(8), pytest.approx(8), 0)


def test_measures_hold_every_figure_at_once():
    (plate,) = read("measures/plate_with_holes.dxf").layers[0].shapes
    m = plate.measures
    assert isinstance(m, quillform.PartMeasures)
    assert (m.area, m.cut_length, m.pierces, m.smallest_hole) == (
        plate.area, plate.cut_length, plate.pierces, plate.smallest_hole)
    assert m.pierces == 5 and m.smallest_hole == pytest.approx(6)
    assert m.cut_length == pytest.approx(320 + 20 * math.pi + 80 + 6 * math.pi)
    assert m.min_rectangle == plate.min_rectangle
    holes = [h.measures for h in plate.holes]
    assert all(isinstance(h, quillform.OutlineMeasures) for h in holes)
    assert m.area == pytest.approx(m.outer_area - sum(h.area for h in holes))
    assert m.cut_length == pytest.approx(m.outer_length + sum(h.length for h in holes))
    assert "5 pierces" in repr(m)


def test_figures_a_part_has_not():
    (circle,) = read("measures/circle.dxf").layers[0].shapes
    assert circle.smallest_hole is None
    assert circle.smallest_radius == pytest.approx(5)
    # The literal rules keep an outline that encloses nothing (accurate
    # geometry leaves it out as degenerate).
    zero = read("measures/zero_area.dxf", accurate=False).layers[0].shapes[0]
    assert zero.smallest_radius is None and zero.area == 0 and zero.cut_length == 20
    # Coordinates past what a double holds: no figures, not even pierces.
    huge = quillform.read(os.path.join(DATA, "huge_coords.dxf"))
    shapes = huge.shapes
    assert shapes and all(s.measures is None and s.cut_length is None for s in shapes)
    assert all(s.pierces is None and s.min_rectangle is None for s in shapes)
    totals = huge.totals
    assert totals.unmeasured == totals.parts == len(shapes)
    assert totals.bounds is None and totals.cut_length == 0


def test_totals_of_layers_and_drawing():
    drawing = read("measures/island.dxf")
    layer = drawing.layers[0]
    totals = layer.totals
    assert isinstance(totals, quillform.Totals)
    assert (totals.parts, totals.unmeasured, totals.pierces) == (2, 0, 4)
    assert totals.cut_length == pytest.approx(720 + 8 * math.pi)
    assert totals.area == pytest.approx(6800 - 16 * math.pi)
    assert totals.cut_length == pytest.approx(sum(s.cut_length for s in layer.shapes))
    assert (totals.bounds.min_x, totals.bounds.max_y) == (0, 100)
    whole = drawing.totals
    assert (whole.parts, whole.pierces, whole.area) == (totals.parts, totals.pierces, totals.area)
    assert "2 parts, 4 pierces" in repr(whole)


def test_figures_follow_output_units():
    name = os.path.join(DATA, "diagnostics", "units_inch.dxf")
    inches = quillform.read(name, distance=1e-6)
    mm = quillform.read(name, distance=1e-6, output_units="mm")
    for a, b in zip(inches.shapes, mm.shapes):
        assert b.cut_length == pytest.approx(a.cut_length * 25.4)
        assert b.area == pytest.approx(a.area * 25.4 ** 2)
        assert b.min_rectangle.width == pytest.approx(a.min_rectangle.width * 25.4)
        assert b.min_rectangle.angle == pytest.approx(a.min_rectangle.angle)
    assert mm.totals.cut_length == pytest.approx(inches.totals.cut_length * 25.4)


def test_a_mirrored_insert_in_accurate_geometry():
    shapes = read("measures/mirrored_insert.dxf", accurate=True).layers[0].shapes
    d_area, d_length = 800 + 50 * math.pi, 100 + 10 * math.pi
    for part in shapes[:2]:
        assert part.area == pytest.approx(d_area - 9 * math.pi)
        assert part.cut_length == pytest.approx(d_length + 6 * math.pi)
        assert tuple(part.min_rectangle)[:2] == (pytest.approx(50), pytest.approx(20))
    assert shapes[1].min_rectangle.angle == pytest.approx(30)
