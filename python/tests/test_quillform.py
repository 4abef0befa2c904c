# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""The Python module against the same drawings and expectations as the C++
tests of the listing, its errors, its threads and its shapely helper."""
import concurrent.futures
import glob
import locale
import math
import os

import pytest

import quillform

DATA = os.environ.get("QUILLFORM_TEST_DATA", os.path.join(os.path.dirname(__file__), "..", "..",
                                                          "tests", "data"))
EXAMPLES = os.environ.get("QUILLFORM_EXAMPLES", os.path.join(DATA, "..", "..", "examples"))


def data(name):
    return os.path.join(DATA, name)


def layer(drawing, name):
    return next(l for l in drawing.layers if l.name == name)


def test_square_with_a_circular_hole():
    drawing = quillform.read(data("square_with_circle_hole.dxf"))
    square = layer(drawing, "0").shapes[0]
    assert square.kind == "polygon"
    assert [(v.x, v.y) for v in square.vertices] == [(0, 10), (0, 0), (10, 0), (10, 10)]
    assert all(v.arc is None for v in square.vertices)
    assert square.circle is None
    assert (square.bounds.min_x, square.bounds.min_y, square.bounds.max_x,
            square.bounds.max_y) == (0, 0, 10, 10)
    (hole,) = square.holes
    assert hole.kind == "circle"
    assert (hole.circle.center_x, hole.circle.center_y, hole.circle.radius) == (5, 5, 2)
    assert hole.bounds.max_x == 7
    assert square.area == pytest.approx(100 - math.pi * 4)


def test_the_example_plate_with_its_arcs_island_and_hole():
    drawing = quillform.read(os.path.join(EXAMPLES, "plate.dxf"), accurate=False)
    shapes = layer(drawing, "CUT").shapes
    assert len(shapes) == 3
    plate = shapes[2]
    assert (plate.bounds.max_x, plate.bounds.max_y) == (120, 80)
    corner = plate.vertices[0]
    assert (corner.x, corner.y) == (0, 10)
    assert corner.arc.radius == pytest.approx(10)
    assert corner.arc.direction == "ccw" and not corner.arc.clockwise
    assert [h.kind for h in plate.holes] == ["polygon", "circle", "circle", "circle", "circle"]
    slot = plate.holes[0]
    assert (slot.bounds.min_x, slot.bounds.max_x) == (34, 86)
    island = shapes[1]
    assert len(island.holes) == 1 and island.holes[0].circle.radius == 5
    assert drawing.units.name == "mm"
    assert drawing.status == 0


def test_accurate_geometry_unless_asked_for_the_literal_rules():
    path = os.path.join(EXAMPLES, "bracket_plate.dxf")
    accurate = layer(quillform.read(path), "CUT").shapes
    plate, bracket = sorted(accurate, key=lambda s: s.bounds.min_x)
    assert len(plate.holes) == 1 and plate.holes[0].bounds.max_x == pytest.approx(75)
    assert (bracket.bounds.min_x, bracket.bounds.max_x) == (110, 170)
    assert bracket.holes[0].circle.radius == pytest.approx(4.5)
    literal = layer(quillform.read(path, accurate=False), "CUT").shapes
    plate, bracket = sorted(literal, key=lambda s: s.bounds.min_x)
    assert plate.holes == [] or len(plate.holes) == 0
    assert (bracket.bounds.min_x, bracket.bounds.max_x) == (180, 220)


def test_settings_are_keywords():
    gaps = os.path.join(DATA, "diagnostics", "gaps.dxf")
    loose = quillform.read(gaps, distance=0.001)
    assert len(loose.open_chains) == 2
    assert loose.open_chains[0].edges == 2
    assert loose.near_misses[0].distance == pytest.approx(0.005)
    joined = quillform.read(gaps, distance=0.01)
    assert joined.open_chains == [] or len(joined.open_chains) == 0
    (plate,) = [s for s in layer(joined, "0").shapes if s.bounds.min_x == 0]
    assert len(plate.holes) == 1
    drill = os.path.join(DATA, "diagnostics", "drill_layer.dxf")
    across = quillform.read(drill, holes_across_layers=True, exclude_layers=["MARK"])
    assert len(layer(across, "CUT").shapes[0].holes) == 3
    assert "MARK" not in [l.name for l in across.layers]
    inch = quillform.read(os.path.join(DATA, "diagnostics", "units_inch.dxf"), distance=1e-6,
                          output_units="mm")
    assert inch.units.name == "in" and inch.length_units.name == "mm"
    assert layer(inch, "0").shapes[0].bounds.max_x == pytest.approx(25.4)
    curves = quillform.read(os.path.join(DATA, "accurate", "ellipse_plate.dxf"), accurate=True,
                            curve_tolerance=0.001, distance=1e-6)
    assert len(layer(curves, "0").shapes[0].holes) == 2
    assert quillform.read(data("square_with_circle_hole.dxf"), engine="reference").status == 0


def test_warnings_and_unused_content():
    census = quillform.read(os.path.join(DATA, "diagnostics", "census.dxf"))
    assert [(i.type, i.count) for i in census.ignored][:2] == [("TEXT", 2), ("HATCH", 1)]
    radius = quillform.read(data("radius_zero_negative.dxf"), distance=0.001)
    (warning,) = [w for w in radius.warnings if w.code == "degenerateRadius"]
    assert warning.count == 4 and warning.layer == "0" and "positive number" in warning.message


def test_a_file_that_cannot_be_opened_raises_oserror_naming_it():
    missing = data("no_such_file.dxf")
    with pytest.raises(FileNotFoundError) as error:
        quillform.read(missing)
    assert error.value.filename == missing
    with pytest.raises(IsADirectoryError):
        quillform.read(DATA)


@pytest.mark.parametrize("name, says", [("empty.dxf", "not a DXF drawing"),
                                        ("only_eof.dxf", "not a DXF drawing"),
                                        ("binary_dxf.dxf", "binary DXF is not supported")])
def test_a_file_that_is_no_drawing_raises_valueerror(name, says):
    with pytest.raises(ValueError, match=says):
        quillform.read(data(name))


def test_bad_settings_raise_valueerror():
    with pytest.raises(ValueError, match="engine"):
        quillform.read(data("square_with_circle_hole.dxf"), engine="quick")
    with pytest.raises(ValueError, match="output_units"):
        quillform.read(os.path.join(DATA, "diagnostics", "units_unitless.dxf"), output_units="mm")
    with pytest.raises(TypeError):
        quillform.read(data("square_with_circle_hole.dxf"), 0.5)  # settings are keywords


@pytest.mark.parametrize("keywords, says", [({"distance": float("nan")}, "distance"),
                                            ({"distance": -1.0}, "distance"),
                                            ({"open_mode": 5}, "open mode"),
                                            ({"curve_tolerance": -0.5}, "curve tolerance"),
                                            ({"expansion_limit": -1}, "expansion limit")])
def test_settings_the_command_refuses_raise_valueerror(keywords, says):
    with pytest.raises(ValueError, match=says):
        quillform.read(data("square_with_circle_hole.dxf"), **keywords)


def test_any_bytes_name_is_a_name(tmp_path):
    odd = os.path.join(os.fsencode(str(tmp_path)), b"caf\xe9.dxf")
    with pytest.raises(FileNotFoundError) as error:
        quillform.read(odd)
    assert error.value.filename == os.fsdecode(odd)
    with open(data("square_with_circle_hole.dxf"), "rb") as source, open(odd, "wb") as copy:
        copy.write(source.read())
    drawing = quillform.read(odd)
    assert drawing.file == os.fsdecode(odd)
    assert len(drawing.shapes) == 1


def test_readable_reprs():
    drawing = quillform.read(data("square_with_circle_hole.dxf"))
    assert repr(drawing).startswith("<Drawing ") and "1 shapes" in repr(drawing)
    shape = drawing.shapes[0]
    assert repr(shape) == "<Shape polygon of 4 vertices, bounds (0, 0)-(10, 10), 1 holes>"
    assert repr(shape.holes[0].circle) == "Circle(centre (5, 5), radius 2)"


def test_svg_paths():
    drawing = quillform.read(data("square_with_circle_hole.dxf"))
    path = drawing.shapes[0].to_svg_path()
    assert path.startswith("M 0 10 L 0 0 L 10 0 L 10 10 Z M 7 5 A 2 2 0 1 1 3 5 A 2 2 0 1 1 7 5 Z")


def every_drawing():
    return (sorted(glob.glob(os.path.join(DATA, "*.dxf"))) +
            sorted(glob.glob(os.path.join(DATA, "real", "*.dxf"))))


def outline_values(outline):
    return (outline.kind, tuple((v.x, v.y, None if v.arc is None else
                                 (v.arc.center_x, v.arc.center_y, v.arc.radius, v.arc.clockwise))
                                for v in outline.vertices),
            None if outline.circle is None else (outline.circle.center_x, outline.circle.center_y,
                                                 outline.circle.radius),
            (outline.bounds.min_x, outline.bounds.min_y, outline.bounds.max_x,
             outline.bounds.max_y))


def drawing_values(path):
    try:
        drawing = quillform.read(path)
    except (OSError, ValueError, MemoryError) as error:
        return type(error).__name__
    return (drawing.status,
            tuple((l.name, tuple((outline_values(s), tuple(outline_values(h) for h in s.holes))
                                 for s in l.shapes)) for l in drawing.layers),
            tuple((w.code, w.count) for w in drawing.warnings))


def test_reading_in_threads_gives_what_reading_in_turn_gives():
    files = every_drawing()
    assert len(files) > 40
    before = locale.setlocale(locale.LC_ALL)
    in_turn = [drawing_values(f) for f in files]
    with concurrent.futures.ThreadPoolExecutor(max_workers=6) as pool:
        for _ in range(3):
            assert list(pool.map(drawing_values, files)) == in_turn
    assert locale.setlocale(locale.LC_ALL) == before


def test_shapely_polygons_agree_with_the_areas():
    pytest.importorskip("shapely")
    tolerance = 0.001
    checked = 0
    for path in [os.path.join(EXAMPLES, "plate.dxf"), data("arc_cut_twice.dxf"),
                 data("corner_lobe.dxf"), os.path.join(DATA, "accurate", "spline_part.dxf")]:
        for shape in quillform.read(path, accurate=True, distance=1e-6).shapes:
            polygon = shape.to_shapely(tolerance)
            assert polygon.is_valid, path
            assert len(polygon.interiors) == len(shape.holes)
            perimeter = polygon.length
            assert polygon.area == pytest.approx(shape.area, abs=tolerance * perimeter), path
            checked += 1
    assert checked >= 5
