# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""The parts of many drawings on a Dask cluster (one machine or many): each
task reads one file with quillform.read on whichever worker runs it.

    import quillform.dask
    frame = quillform.dask.parts_dataframe(paths, distance=0.01)
    print(frame.groupby("file").cut_length.sum().compute())

Needs Dask with its bag and dataframe (Debian: python3-dask,
python3-distributed for clusters, python3-pandas). The paths must name the
same files on every worker (shared storage). See docs/python.md.
"""
import dask.bag
import pandas

from .batch import PART_COLUMNS, part_rows

# The column types of parts_dataframe: counts that an error row leaves
# empty are pandas' nullable integers.
_TYPES = {"file": "object", "layer": "object", "part": "Int64", "kind": "object",
          "holes": "Int64", "pierces": "Int64", "unit": "object", "error": "object"}


def read_bag(paths, **settings):
    """A dask.bag of part records (dicts keyed by
    quillform.batch.PART_COLUMNS, the rows of quillform.parts_table), in the
    order of paths; a file that cannot be read gives one record with its
    `error`. One partition, and one task, a file."""
    paths = list(paths)
    files = dask.bag.from_sequence(paths, npartitions=max(1, len(paths)))
    return files.map(part_rows, **settings).flatten()


def parts_dataframe(paths, **settings):
    """The records of read_bag as a dask.dataframe with the columns of
    PART_COLUMNS (lengths float, counts nullable integers)."""
    meta = pandas.DataFrame({column: pandas.Series(dtype=_TYPES.get(column, "float64"))
                             for column in PART_COLUMNS})
    return read_bag(paths, **settings).to_dataframe(meta=meta)
