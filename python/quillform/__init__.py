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
from ._quillform import (Arc, Bounds, Circle, Drawing, Ignored, Layer, NearMiss, OpenChain,
                         Outline, OutlineMeasures, PartMeasures, Point, Rectangle, Shape, Totals,
                         Unit, Vertex, Warning, read)
from .batch import WorkerError, parts_table, read_many
from .shapes import to_shapely

__all__ = ["read", "Drawing", "Layer", "Shape", "Outline", "Vertex", "Arc", "Circle",
           "Bounds", "Point", "Warning", "OpenChain", "NearMiss", "Ignored", "Unit",
           "Rectangle", "OutlineMeasures", "PartMeasures", "Totals", "to_shapely", "read_many",
           "parts_table", "WorkerError"]

Outline.to_shapely = to_shapely
Shape.to_shapely = to_shapely
