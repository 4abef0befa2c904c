# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""quillform.check(): the drawing with its findings, limits as numbers or
with units."""
import os

import pytest

import quillform

DATA = os.environ.get("QUILLFORM_TEST_DATA", os.path.join(os.path.dirname(__file__), "..", "..",
                                                          "tests", "data"))


def fixture(name):
    return os.path.join(DATA, "check", name + ".dxf")


def test_a_small_hole_is_found_at_its_centre():
    drawing = quillform.check(fixture("small_hole"), thickness=3, accurate=True)
    holes = [f for f in drawing.findings if f.code == "smallHole"]
    assert len(holes) == 1
    hole = holes[0]
    assert hole.severity == "warning"
    assert hole.layer == "CUT"
    assert hole.part == 0
    assert (hole.location.x, hole.location.y) == pytest.approx((25, 25))
    assert hole.value == pytest.approx(2)
    assert hole.limit == pytest.approx(3)


def test_lengths_with_units_are_converted_into_the_drawing_unit():
    # The drawing is in millimetres: 0.1 in is 2.54 mm, more than the hole.
    drawing = quillform.check(fixture("small_hole"), thickness="0.1in")
    assert [f.limit for f in drawing.findings if f.code == "smallHole"] == [pytest.approx(2.54)]
    assert not [f for f in quillform.check(fixture("small_hole"), thickness="1.5mm").findings
                if f.code == "smallHole"]


def test_a_sheet_too_small_is_an_error():
    drawing = quillform.check(fixture("larger_than_sheet"), sheet=(100, "100mm"))
    errors = [f for f in drawing.findings if f.severity == "error"]
    assert [f.code for f in errors] == ["partLargerThanSheet"]


def test_read_leaves_findings_empty_and_bad_limits_raise():
    assert quillform.read(fixture("small_hole")).findings == []
    with pytest.raises(ValueError):
        quillform.check(fixture("small_hole"), thickness="3 furlongs")
    with pytest.raises(ValueError):
        quillform.check(fixture("small_hole"), kerf=-1)
    with pytest.raises(ValueError):
        quillform.check(fixture("unit_unknown"), thickness="3mm")


def _random_lines(seed):
    """Segments on a few lines of exact directions, with integer ends (so
    that shapely, exact in floating point, sees the same overlaps), no two
    the same; about a third of them marked to be drawn as polylines."""
    import random
    rng = random.Random(seed)
    segments, seen = [], set()
    for _ in range(rng.randint(1, 4)):
        dx, dy = rng.choice([(1, 0), (0, 1), (1, 1), (1, -1), (2, 1)])
        ox, oy = rng.randint(-50, 50), rng.randint(-50, 50)
        for _ in range(rng.randint(1, 8)):
            a, b = sorted(rng.sample(range(-20, 21), 2))
            if (dx, dy, ox, oy, a, b) in seen:
                continue
            seen.add((dx, dy, ox, oy, a, b))
            if rng.random() < 0.5:
                a, b = b, a
            polyline = rng.random() < 0.35
            segments.append(((ox + a * dx, oy + a * dy), (ox + b * dx, oy + b * dy), polyline))
    return segments


def _drawn_twice(segments):
    from shapely.geometry import LineString
    from shapely.ops import unary_union
    lines = [LineString(s[:2]) for s in segments]
    return sum(line.length for line in lines) - unary_union(lines).length if lines else 0


@pytest.mark.parametrize("seed", range(25))
def test_overlapped_length_agrees_with_shapely(tmp_path, seed):
    ezdxf = pytest.importorskip("ezdxf")
    pytest.importorskip("shapely.ops")
    segments = _random_lines(seed)
    doc = ezdxf.new("R2010")
    doc.header["$INSUNITS"] = 4
    for a, b, polyline in segments:
        if polyline:
            doc.modelspace().add_lwpolyline([a, b], dxfattribs={"layer": "CUT"})
        else:
            doc.modelspace().add_line(a, b, dxfattribs={"layer": "CUT"})
    path = str(tmp_path / "lines.dxf")
    doc.saveas(path)
    # Polylines over each other are left to the outline checks.
    twice = _drawn_twice(segments) - _drawn_twice([s for s in segments if s[2]])
    for accurate in (False, True):
        found = [f for f in quillform.check(path, accurate=accurate).findings
                 if f.code == "overlappingEdges"]
        assert sum(f.value for f in found) == pytest.approx(twice, abs=1e-9)
        assert len(found) == (1 if twice > 1e-9 else 0)
    # Accurate geometry takes all of that away: the polylines stay as drawn.
    merged = sum(w.value for w in quillform.read(path, accurate=True).warnings
                 if w.code == "overlapsMerged")
    assert merged == pytest.approx(twice, abs=1e-9)
