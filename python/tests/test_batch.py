# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""Many files: read_many and parts_table against reading one file after the
other, errors and a killed worker in the middle, and the Dask cluster."""
import errno
import glob
import os
import pickle
import threading
import time

import pytest

import quillform

DATA = os.environ.get("QUILLFORM_TEST_DATA", os.path.join(os.path.dirname(__file__), "..", "..",
                                                          "tests", "data"))
EXAMPLES = os.environ.get("QUILLFORM_EXAMPLES", os.path.join(DATA, "..", "..", "examples"))


def values(thing):
    """Every public value an object of the module shows, nested, for
    comparing drawings member by member."""
    if isinstance(thing, (list, tuple)):
        return [values(item) for item in thing]
    if type(thing).__module__.startswith("quillform"):
        return {name: values(getattr(thing, name)) for name in dir(thing)
                if not name.startswith("_") and not callable(getattr(thing, name))}
    return thing


def drawings():
    files = sorted(glob.glob(os.path.join(DATA, "*.dxf")))[:40]
    files += [os.path.join(DATA, "diagnostics", name) for name in ("gaps.dxf", "units_inch.dxf")]
    files += [os.path.join(EXAMPLES, "plate.dxf")]
    return files


def test_pickled_drawings_keep_every_member():
    for path in drawings():
        try:
            drawing = quillform.read(path, distance=0.001)
        except (OSError, ValueError):
            continue
        again = pickle.loads(pickle.dumps(drawing))
        assert values(again) == values(drawing), path
    # A checked drawing keeps what the check found, optional members unset too.
    for name in ("narrow_web", "unit_unknown", "larger_than_sheet"):
        checked = quillform.check(os.path.join(DATA, "check", name + ".dxf"), thickness=3,
                                  sheet=(100, 100))
        assert checked.findings, name
        assert values(pickle.loads(pickle.dumps(checked))) == values(checked), name
    gaps = quillform.read(os.path.join(DATA, "diagnostics", "gaps.dxf"), distance=0.001)
    assert len(values(pickle.loads(pickle.dumps(gaps)))["near_misses"]) == 2
    state = gaps.__getstate__()
    for broken in (state[:-3], state + b"\0", b"\7" + state[1:]):
        with pytest.raises(ValueError):
            quillform.Drawing.__new__(quillform.Drawing).__setstate__(broken)


def outcome(path, settings):
    try:
        return values(quillform.read(path, **settings))
    except (OSError, ValueError) as error:
        return type(error), str(error)


def got(result):
    if isinstance(result, Exception):
        return type(result), str(result)
    return values(result)


def test_read_many_in_order_with_errors_in_the_middle():
    files = drawings()
    files[5:5] = [os.path.join(DATA, "missing.dxf"), os.path.join(DATA, "empty.dxf")]
    files.insert(20, os.path.join(DATA, "accurate"))
    settings = {"distance": 0.01, "accurate": True}
    results = list(quillform.read_many(files, workers=2, **settings))
    assert [path for path, _ in results] == files
    for path, result in results:
        assert got(result) == outcome(path, settings), path
    missing = results[5][1]
    assert isinstance(missing, FileNotFoundError) and missing.errno == errno.ENOENT
    assert isinstance(results[6][1], ValueError)
    assert isinstance(results[20][1], IsADirectoryError)
    with pytest.raises(TypeError):
        list(quillform.read_many(files[:3], workers=2, distanse=1))


def test_read_many_held_back_by_bytes_keeps_the_order(monkeypatch):
    # Every file over the bound of bytes held ahead: the pool waits for the
    # head each time, and nothing is lost or reordered.
    monkeypatch.setattr(quillform.batch, "_HELD_BYTES", 1)
    files = drawings()[:12]
    files.insert(3, os.path.join(DATA, "missing.dxf"))
    alone = list(quillform.read_many(files, workers=1))
    together = list(quillform.read_many(files, workers=3))
    assert [path for path, _ in together] == files
    assert [got(result) for _, result in together] == [got(result) for _, result in alone]


def descendants(process):
    children = []
    for task in glob.glob(f"/proc/{process}/task/*/children"):
        with open(task) as listed:
            children += [int(pid) for pid in listed.read().split()]
    return children + [grand for child in children for grand in descendants(child)]


def opens(process, path):
    try:
        return any(os.readlink(fd) == path for fd in glob.glob(f"/proc/{process}/fd/*"))
    except OSError:
        return False


class Killer(threading.Thread):
    """Kills every worker that reads the pipe (holding its other end open, so
    that the worker waits on it with the pipe among its descriptors)."""

    def __init__(self, fifo):
        super().__init__(daemon=True)
        self.fifo, self.kills, self.done = fifo, 0, threading.Event()

    def run(self):
        writer = None
        while not self.done.is_set():
            if writer is None:
                try:
                    writer = os.open(self.fifo, os.O_WRONLY | os.O_NONBLOCK)
                except OSError:
                    pass
            for worker in descendants(os.getpid()) if writer is not None else []:
                if opens(worker, self.fifo):
                    os.kill(worker, 9)
                    self.kills += 1
                    os.close(writer)
                    writer = None
                    break
            time.sleep(0.02)
        if writer is not None:
            os.close(writer)


def test_a_killed_worker_is_that_files_error(tmp_path):
    fifo = str(tmp_path / "stuck.dxf")
    os.mkfifo(fifo)
    files = drawings()[:6]
    files.insert(2, fifo)
    killer = Killer(fifo)
    killer.start()
    try:
        results = list(quillform.read_many(files, workers=2, distance=0.001))
        rows = quillform.parts_table(files, workers=2, distance=0.001)
    finally:
        killer.done.set()
        killer.join()
    assert killer.kills >= 2
    assert [path for path, _ in results] == files
    assert isinstance(results[2][1], quillform.WorkerError)
    assert fifo in str(results[2][1])
    for path, result in results[:2] + results[3:]:
        assert got(result) == outcome(path, {"distance": 0.001}), path
    lost = [row for row in rows if row["file"] == fifo]
    assert len(lost) == 1 and "stopped" in lost[0]["error"]
    assert [row for row in rows if row["file"] != fifo] == quillform.parts_table(
        [f for f in files if f != fifo], workers=1, distance=0.001)


def test_parts_table_rows_and_measures():
    plate = os.path.join(EXAMPLES, "plate.dxf")
    files = [plate, os.path.join(DATA, "missing.dxf"), os.path.join(DATA, "hole_order.dxf")]
    rows = quillform.parts_table(files, workers=2)
    assert rows == quillform.parts_table(files, workers=1)
    # The pool passes tuples and makes the dicts here: the same rows as the
    # dicts one file gives (the records of quillform.dask).
    assert rows == [row for f in files for row in quillform.batch.part_rows(f)]
    assert all(tuple(row) == quillform.batch.PART_COLUMNS for row in rows)
    drawing = quillform.read(plate)
    shapes = drawing.shapes
    plate_rows = [row for row in rows if row["file"] == plate]
    assert [row["part"] for row in plate_rows] == list(range(len(shapes)))
    shapely = pytest.importorskip("shapely")
    for row, shape in zip(plate_rows, shapes):
        assert row["error"] is None and row["layer"] == "CUT" and row["unit"] == "mm"
        assert row["holes"] == len(shape.holes) and row["pierces"] == 1 + len(shape.holes)
        assert row["area"] == pytest.approx(shape.area)
        # The cut length against the flattened outline's, within the flattening.
        polygon = shape.to_shapely(tolerance=1e-5)
        cut = polygon.exterior.length + sum(ring.length for ring in polygon.interiors)
        assert row["cut_length"] == pytest.approx(cut, rel=1e-4)
        assert row["hull_area"] == pytest.approx(polygon.convex_hull.area, rel=1e-4)
        assert (row["min_x"], row["max_y"]) == (shape.bounds.min_x, shape.bounds.max_y)
    (missing,) = [row for row in rows if row["file"].endswith("missing.dxf")]
    assert missing["part"] is None and "No such file" in missing["error"]
    assert shapely


def test_dask_cluster_gives_the_sequential_records():
    distributed = pytest.importorskip("dask.distributed")
    pandas = pytest.importorskip("pandas")
    import quillform.dask

    files = drawings()[:12] + [os.path.join(DATA, "missing.dxf"), os.path.join(EXAMPLES,
                                                                                 "plate.dxf")]
    expected = quillform.parts_table(files, workers=1, distance=0.01)
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster, \
            distributed.Client(cluster) as client:
        records = quillform.dask.read_bag(files, distance=0.01).compute()
        frame = quillform.dask.parts_dataframe(files, distance=0.01).compute()
        assert len(client.scheduler_info()["workers"]) == 2
    assert records == expected
    assert list(frame.columns) == list(quillform.batch.PART_COLUMNS)
    assert len(frame) == len(expected)
    for (_, row), want in zip(frame.iterrows(), expected):
        for column, value in want.items():
            if value is None:
                assert pandas.isna(row[column]), column
            else:
                assert row[column] == value, column
