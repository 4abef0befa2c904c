#!/usr/bin/env python3
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
"""bench/batch_bench.py LIST [WORKERS]: the Python side of the many-files
benchmark on the paths in LIST (one a line, as bench/batch_drawings.sh
prints them): quillform.read_many with one worker (reading in the calling
process) and with WORKERS (default 2) processes, parts_table likewise, and
quillform.dask.parts_dataframe on a LocalCluster of WORKERS processes.
Prints wall times, best of 3, each run of read_many and parts_table in a
fresh child of this process (the cluster's start not counted). Run with
PYTHONPATH pointing at build/python."""
import os
import sys
import time

import quillform


def best(run, runs=3):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        run()
        times.append(time.perf_counter() - start)
    return min(times)


def best_apart(run, runs=3):
    """best() with each run in a fresh child of this small process: a run
    after another in one process forks its pool from a heap the earlier
    results left large, and its workers then pay for copying its pages."""
    times = []
    for _ in range(runs):
        reader, writer = os.pipe()
        child = os.fork()
        if child == 0:
            os.close(reader)
            start = time.perf_counter()
            run()
            os.write(writer, repr(time.perf_counter() - start).encode())
            os._exit(0)
        os.close(writer)
        with os.fdopen(reader) as answer:
            times.append(float(answer.read()))
        os.waitpid(child, 0)
    return min(times)


def main():
    paths = open(sys.argv[1]).read().split()
    workers = int(sys.argv[2]) if len(sys.argv) > 2 else 2
    report = []
    one = best_apart(lambda: sum(1 for _ in quillform.read_many(paths, workers=1)))
    many = best_apart(lambda: sum(1 for _ in quillform.read_many(paths, workers=workers)))
    report.append(("read_many", one, many))
    one = best_apart(lambda: quillform.parts_table(paths, workers=1))
    many = best_apart(lambda: quillform.parts_table(paths, workers=workers))
    report.append(("parts_table", one, many))
    try:
        from dask.distributed import Client, LocalCluster
        # `as`: a bare `import quillform.dask` here would make quillform a
        # local name of main() and break the lambdas above.
        import quillform.dask as quillform_dask
    except ImportError:
        LocalCluster = None
    if LocalCluster:
        with LocalCluster(n_workers=workers, threads_per_worker=1, processes=True,
                          dashboard_address=None) as cluster, Client(cluster):
            rows = len(quillform_dask.parts_dataframe(paths).compute())
            dask_time = best(lambda: quillform_dask.parts_dataframe(paths).compute())
        report.append(("dask parts_dataframe", None, dask_time))
        print(f"{rows} parts")
    print(f"{len(paths)} files, {workers} workers, best of 3")
    for name, alone, together in report:
        if alone is None:
            print(f"{name:22} {'':>9}   {together:7.3f} s on the cluster")
        else:
            print(f"{name:22} {alone:7.3f} s  {together:7.3f} s  {alone / together:.2f}x")


if __name__ == "__main__":
    main()
