#!/usr/bin/env bash
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
# bench/batch_drawings.sh BUILD OUT_DIR: writes the 200 drawings of the
# many-files benchmark into OUT_DIR (bench sheets of 100 to 3 000 parts,
# the hard cases at small sizes, and copies of the real drawings of
# tests/data/real) and prints their paths, one a line, in a fixed order.
set -euo pipefail
build=$1 out=$2
make=$build/bench/quillform-make-drawing
real=$(dirname "$0")/../tests/data/real
mkdir -p "$out"
i=0
# Sets f to the path of the next drawing, named after what it holds.
next() { i=$((i + 1)); f=$(printf '%s/%03d-%s.dxf' "$out" "$i" "$1"); }
for round in 1 2 3 4 5 6 7 8 9 10; do
    for n in 100 300 1000 3000; do
        next sheet$n; "$make" sheet "$n" "$f" "$round"; echo "$f"
    done
    for kind in squares plates holes polyline; do
        next $kind; "$make" "$kind" 500 "$f" "$round"; echo "$f"
    done
    for drawing in "$real"/*.dxf; do
        [ "$i" -lt $((round * 20)) ] || break
        next "$(basename "$drawing" .dxf)"; cp "$drawing" "$f"; echo "$f"
    done
    while [ "$i" -lt $((round * 20)) ]; do
        next sheet200; "$make" sheet 200 "$f" "$round"; echo "$f"
    done
done
