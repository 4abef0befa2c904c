# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Closed part outlines from DXF drawings: outer shapes, their holes and
islands, with vertices, true arc edges, circles and bounding boxes.

    import quillform
    drawing = quillform.read("part.dxf", distance=0.01)  # accurate=False: literal rules
    for layer in drawing.layers:
        for shape in layer.shapes:
            print(shape.kind, len(shape.vertices), shape.area, len(shape.holes))
            print(shape.cut_length, shape.pierces, shape.min_rectangle)
        print(layer.totals)

Every reader setting is a keyword of read(). Reading releases the GIL, so
several threads may read at once (the DXF parse itself takes turns; see
docs/python.md). read_many() and parts_table() read many files in worker
processes; quillform.dask spreads them over a Dask cluster.
"""
from ._quillform import (Arc, Bounds, Circle, Drawing, Finding, Ignored, Layer, NearMiss,
                         OpenChain, Outline, OutlineMeasures, PartMeasures, Point, Rectangle,
                         Shape, Totals, Unit, Vertex, Warning, _check, read)
from .batch import WorkerError, parts_table, read_many
from .shapes import to_shapely

__all__ = ["read", "check", "Finding", "Drawing", "Layer", "Shape", "Outline", "Vertex", "Arc", "Circle",
           "Bounds", "Point", "Warning", "OpenChain", "NearMiss", "Ignored", "Unit",
           "Rectangle", "OutlineMeasures", "PartMeasures", "Totals", "to_shapely", "read_many",
           "parts_table", "WorkerError"]



def check(path, thickness=None, min_hole=None, min_web=None, sheet=None, kerf=None,
          **settings):
    """Reads the drawing as read() does (the same keywords) and returns it
    with drawing.findings: what will go wrong when its parts are cut, where,
    and what to do. Lengths are numbers in the drawing's unit, or texts with
    a unit ("3mm", "0.125in"); sheet is (width, height). min_hole and
    min_web default to the thickness; a check without a length leaves out
    the findings that need it. Each finding's severity is "error",
    "warning" or "info"."""
    return _check(read(path, **settings), thickness, min_hole, min_web, sheet, kerf)


Outline.to_shapely = to_shapely
Shape.to_shapely = to_shapely
