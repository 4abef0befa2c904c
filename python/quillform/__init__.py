# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Closed part outlines from DXF drawings: outer shapes, their holes and
islands, with vertices, true arc edges, circles and bounding boxes.

    import quillform
    drawing = quillform.read("part.dxf", distance=0.01)  # accurate=False: literal rules
    for layer in drawing.layers:
        for shape in layer.shapes:
            print(shape.kind, len(shape.vertices), shape.area, len(shape.holes))

Every reader setting is a keyword of read(). Reading releases the GIL, so
several threads may read at once (the DXF parse itself takes turns; see
docs/python.md).
"""
from ._quillform import (Arc, Bounds, Circle, Drawing, Ignored, Layer, NearMiss, OpenChain,
                         Outline, Point, Shape, Unit, Vertex, Warning, read)
from .shapes import to_shapely

__all__ = ["read", "Drawing", "Layer", "Shape", "Outline", "Vertex", "Arc", "Circle",
           "Bounds", "Point", "Warning", "OpenChain", "NearMiss", "Ignored", "Unit",
           "to_shapely"]

Outline.to_shapely = to_shapely
Shape.to_shapely = to_shapely
