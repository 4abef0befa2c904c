# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Many drawings at once: read_many() reads them in a pool of worker
processes and hands them back in the order given; parts_table() gives the
parts of all of them as rows with their measures."""
import collections
import concurrent.futures
import multiprocessing
import os

from . import _quillform

# The columns of a parts table, in order (an error row has None in all but
# file and error): file, layer, part, kind, holes, min_x, min_y, max_x,
# max_y, area, outer_area, cut_length, outer_length, pierces, width, height,
# rectangle_width, rectangle_height, rectangle_angle, hull_area,
# smallest_hole, smallest_radius, unit, error.
PART_COLUMNS = _quillform._PART_COLUMNS

# What a file that cannot be read raises; anything else (a bad keyword) is
# the caller's mistake and stops the batch.
READ_ERRORS = (OSError, ValueError, MemoryError)


class WorkerError(RuntimeError):
    """The process reading a file stopped before it was done (it crashed or
    was killed); the other files are read all the same."""


def _read(path, settings):
    try:
        return path, _quillform.read(path, **settings)
    except READ_ERRORS as error:
        return path, error


def error_row(path, error):
    """The row of a file that could not be read."""
    row = dict.fromkeys(PART_COLUMNS)
    row["file"] = os.fsdecode(path) if isinstance(path, (bytes, os.PathLike)) else path
    row["error"] = str(error)
    return row


def part_rows(path, **settings):
    """The rows of the parts of one file (one error row when it cannot be
    read), each a dict keyed by PART_COLUMNS."""
    return _as_rows(_values(path, settings))


def _fork_pool(workers):
    # Fork: the workers start at once, with the module already loaded.
    return concurrent.futures.ProcessPoolExecutor(
        workers, mp_context=multiprocessing.get_context("fork"))


def _broken(future):
    """Whether future was lost with its pool (failed with it, or cancelled)."""
    if future.cancelled():
        return True
    return future.done() and isinstance(future.exception(),
                                        concurrent.futures.process.BrokenProcessPool)


def _alone(function, *arguments):
    """function(*arguments) in a process of its own; None when it dies."""
    with _fork_pool(1) as pool:
        try:
            return pool.submit(function, *arguments).result()
        except concurrent.futures.process.BrokenProcessPool:
            return None


# How far the pool may run ahead of the file whose turn it is: files per
# worker, and bytes of input in all.
_AHEAD = 16
_HELD_BYTES = 256 << 20


def _size(path):
    try:
        return os.stat(path).st_size
    except (OSError, TypeError, ValueError):
        return 0


def _in_order(paths, workers, function, lost, *arguments):
    """function(path, *arguments) for every path, in the order of paths,
    from `workers` processes; lost(path) stands for the result of a path
    whose worker died. A worker that dies takes its pool with it: the files
    in flight then go to a new pool, and the one whose turn it is runs alone,
    so that only a file that kills its worker again is lost."""
    if workers is None:
        workers = len(os.sched_getaffinity(0))
    if workers < 1:
        raise ValueError("workers must be at least 1")
    if workers == 1:
        for path in paths:
            yield function(path, *arguments)
        return
    pool = _fork_pool(workers)
    pending = collections.deque()

    def finish():
        nonlocal pool
        path, future, _ = pending.popleft()
        if not _broken(future):
            try:
                return future.result()
            except concurrent.futures.process.BrokenProcessPool:
                pass
        pool.shutdown(wait=False, cancel_futures=True)
        pool = _fork_pool(workers)
        for entry in pending:
            if not entry[1].done() or _broken(entry[1]):
                entry[1] = pool.submit(function, entry[0], *arguments)
        result = _alone(function, path, *arguments)
        return lost(path) if result is None else result

    held = 0  # bytes of the files in flight or done ahead of their turn
    try:
        for path in paths:
            size = _size(path)
            pending.append([path, pool.submit(function, path, *arguments), size])
            held += size
            # Enough files ahead that a large one at the head does not leave
            # the other workers idle; few enough bytes that their results,
            # held until their turn, stay within bounds.
            while len(pending) > workers and (len(pending) >= _AHEAD * workers
                                              or held > _HELD_BYTES):
                held -= pending[0][2]
                yield finish()
        while pending:
            yield finish()
    finally:
        pool.shutdown(wait=True, cancel_futures=True)


def _lost(path):
    return path, WorkerError(f"the process reading {os.fsdecode(path)} stopped")


def read_many(paths, workers=None, **settings):
    """Reads every path with read(path, **settings) in a pool of `workers`
    processes (default: the processors this process may use; 1 reads here,
    one after the other) and yields (path, Drawing) or (path, error) in the
    order of paths. An error is what read() would raise (OSError,
    ValueError, MemoryError), or WorkerError when the process reading the
    file died; the other files are read all the same."""
    yield from _in_order(paths, workers, _read, _lost, settings)


def _values(path, settings):
    """A worker's share of parts_table: the rows of one file as tuples, which
    pass back to the parent several times faster than dicts, or the error."""
    _, drawing = _read(path, settings)
    if isinstance(drawing, BaseException):
        return path, str(drawing), None
    return path, None, _quillform._part_values(drawing)


def _as_rows(result):
    path, error, values = result
    if values is None:
        return [error_row(path, error)]
    return [dict(zip(PART_COLUMNS, row)) for row in values]


def parts_table(paths, workers=None, **settings):
    """The parts of every file, in the order of paths and then of read()'s
    layers and shapes: a list of dicts keyed by PART_COLUMNS (file, layer,
    part (its number in the listing), kind, holes, box, measures: area,
    cut_length, pierces, ... in the unit of `unit`). A file that cannot be
    read gives one row with its `error` and None elsewhere. Read like
    read_many()."""
    table = []
    for result in _in_order(paths, workers, _values, lambda p: (p, str(_lost(p)[1]), None),
                            settings):
        table.extend(_as_rows(result))
    return table
