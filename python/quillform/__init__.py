# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Closed part outlines from DXF drawings: outer shapes, their holes and
islands, with vertices, true arc edges, circles and bounding boxes.

    import quillform
    drawing = quillform.read("part.dxf", distance=0.01, accurate=True)
    for layer in drawing.layers:
        for shape in layer.shapes:
            print(shape.kind, len(shape.vertices), shape.area, len(shape.holes))

Every reader setting is a keyword of read(). Reading releases the GIL, so
several threads may read at once (the DXF parse itself takes turns; see
docs/python.md).
"""
from ._quillform import (Arc, Bounds, Circle, Drawing, Finding, Ignored, Layer, NearMiss,
                         OpenChain, Outline, Point, Shape, Unit, Vertex, Warning, _check, read)
from .shapes import to_shapely

__all__ = ["read", "check", "Finding", "Drawing", "Layer", "Shape", "Outline", "Vertex", "Arc", "Circle",
           "Bounds", "Point", "Warning", "OpenChain", "NearMiss", "Ignored", "Unit",
           "to_shapely"]



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
