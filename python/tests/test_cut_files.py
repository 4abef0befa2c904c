# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Drawing.to_dxf, to_geojson and to_cut_svg: the parts as files to cut
from, read back by the module itself, by ezdxf and by shapely."""
import math
import os
import xml.etree.ElementTree as ElementTree

import pytest

import quillform

DATA = os.environ.get("QUILLFORM_TEST_DATA", os.path.join(os.path.dirname(__file__), "..", "..",
                                                          "tests", "data"))


def data(name):
    return os.path.join(DATA, name)


def all_shapes(drawing):
    return [(layer.name, shape) for layer in drawing.layers for shape in layer.shapes]


def test_to_dxf_text_reads_back_as_the_same_part(tmp_path):
    drawing = quillform.read(data("square_with_circle_hole.dxf"))
    text = drawing.to_dxf()
    assert "SECTION" in text[:40] and text.rstrip().endswith("EOF")
    target = tmp_path / "cut.dxf"
    assert drawing.to_dxf(target) == [target]
    assert target.read_text() == text
    back = all_shapes(quillform.read(str(target), holes_across_layers=True))
    assert [name for name, _ in back] == ["OUTER"]
    assert back[0][1].area == pytest.approx(drawing.shapes[0].area, rel=1e-12)
    assert [h.kind for h in back[0][1].holes] == ["circle"]


def test_to_dxf_split_parts_one_file_per_part_at_the_origin(tmp_path):
    drawing = quillform.read(data("squares_two_layers.dxf"))
    files = drawing.to_dxf(tmp_path, split_parts=True, origin=True)
    assert sorted(f.name for f in files) == sorted(os.listdir(tmp_path))
    assert len(files) == len(drawing.shapes)
    for f in files:
        bounds = quillform.read(str(f)).bounds
        assert (bounds.min_x, bounds.min_y) == pytest.approx((0, 0), abs=1e-12)


def test_to_dxf_errors(tmp_path):
    drawing = quillform.read(data("square_with_circle_hole.dxf"))
    with pytest.raises(OSError):
        drawing.to_dxf(tmp_path / "missing" / "cut.dxf")
    with pytest.raises(OSError):
        drawing.to_dxf(tmp_path / "missing", split_parts=True)
    with pytest.raises(ValueError):
        drawing.to_dxf(split_parts=True)  # files need a folder
    with pytest.raises(ValueError):
        drawing.to_dxf(units="parsec")
    assert os.listdir(tmp_path) == []


def test_to_dxf_never_writes_over_the_drawing(tmp_path):
    source = tmp_path / "drawing.dxf"
    source.write_bytes(open(data("square_with_circle_hole.dxf"), "rb").read())
    before = source.read_bytes()
    with pytest.raises(OSError):
        quillform.read(str(source)).to_dxf(source)
    assert source.read_bytes() == before


def test_to_geojson_is_a_dict_with_the_measures():
    drawing = quillform.read(data("square_with_circle_hole.dxf"))
    document = drawing.to_geojson()
    assert document["type"] == "FeatureCollection"
    (feature,) = document["features"]
    properties = feature["properties"]
    assert (properties["layer"], properties["part"]) == ("0", 0)
    assert properties["area"] == pytest.approx(100 - math.pi * 4, rel=1e-12)
    assert properties["pierces"] == 2
    assert properties["smallestHole"] == pytest.approx(4)
    shapely = pytest.importorskip("shapely.geometry")
    polygon = shapely.shape(feature["geometry"])
    assert polygon.is_valid and polygon.exterior.is_ccw
    assert polygon.area == pytest.approx(properties["area"], rel=1e-3)


def test_to_geojson_in_other_units():
    drawing = quillform.read(data("diagnostics/units_mm.dxf"))
    millimetres = drawing.to_geojson()
    inches = drawing.to_geojson(units="in")
    assert inches["units"] == "in"
    for mm, inch in zip(millimetres["features"], inches["features"]):
        assert inch["properties"]["area"] == pytest.approx(mm["properties"]["area"] / 25.4 ** 2)


def test_to_cut_svg_has_real_size_and_groups():
    drawing = quillform.read(data("square_with_circle_hole.dxf"))
    with pytest.warns(UserWarning, match="does not say its unit"):
        text = drawing.to_cut_svg()
    root = ElementTree.fromstring(text)
    assert (root.get("width"), root.get("height")) == ("10mm", "10mm")
    ids = [g.get("id") for g in root.iter("{http://www.w3.org/2000/svg}g")]
    assert ids[:3] == ["cut", "inner", "outer"]
