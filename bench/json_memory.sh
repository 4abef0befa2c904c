#!/usr/bin/env bash
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
# bench/json_memory.sh BUILD [PARTS]: the peak memory and processor time of
# `quillform -q --format FORMAT -o FILE` (text, json, jsonl) on the bench
# sheet of PARTS parts (default 100 000) and on the spline array of
# tests/heavy (1.3 million arcs), beside the sizes of the drawing and of
# what was written. Needs a build with -DQUILLFORM_BUILD_BENCH=ON.
set -euo pipefail
build=$1 parts=${2:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/quillform-make-drawing" sheet "$parts" "$work/sheet$parts.dxf"
heavy=$(dirname "$0")/../tests/heavy/accurate_spline_block_minsert_20x20.dxf
kb() { echo $(($(stat -c %s "$1") / 1024)); }
printf '%-45s %-6s %10s %10s %10s %7s\n' drawing format "file KB" "output KB" "peak KB" "user s"
for drawing in "$work/sheet$parts.dxf" "$heavy"; do
    for format in text json jsonl; do
        rm -f "$work/out"
        /usr/bin/time -f '%M %U' -o "$work/time" \
            "$build/cli/quillform" -q --format "$format" -o "$work/out" "$drawing" || true
        read -r peak user < <(tail -n 1 "$work/time")
        printf '%-45s %-6s %10s %10s %10s %7s\n' "$(basename "$drawing")" "$format" \
            "$(kb "$drawing")" "$(kb "$work/out")" "$peak" "$user"
    done
done
