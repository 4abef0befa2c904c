#!/usr/bin/env bash
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the libFuzzer target with clang (ASan+UBSan) and runs it on a corpus
# seeded from tests/data.
#   scripts/run-fuzz.sh                 a smoke run of a fixed number of inputs (CI)
#   scripts/run-fuzz.sh -max_total_time=14400 -jobs=1    four hours; any libFuzzer flag
# New interesting inputs are kept in build-fuzz/corpus; a crash, leak, time-out
# or memory blow-up is written to build-fuzz/findings/ and the run stops.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DQUILLFORM_FUZZ=ON -DQUILLFORM_BUILD_CLI=OFF -DQUILLFORM_BUILD_DEMO=OFF \
      -DQUILLFORM_BUILD_TESTS=OFF -DQUILLFORM_WARNINGS_AS_ERRORS=ON >/dev/null
# QUILLFORM_FUZZ_TARGET=generator runs the generator target instead.
target=${QUILLFORM_FUZZ_TARGET:-read}
cmake --build build-fuzz -j2 --target quillform_${target}_fuzzer
mkdir -p build-fuzz/corpus build-fuzz/generator-corpus build-fuzz/findings
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
if [ $# -eq 0 ]; then
    set -- -runs=30000 -max_total_time=120
fi
if [ "$target" = generator ]; then
    exec build-fuzz/fuzz/quillform_generator_fuzzer -timeout=20 -rss_limit_mb=2048 \
        -max_len=4096 -artifact_prefix=build-fuzz/findings/ -print_final_stats=1 "$@" \
        build-fuzz/generator-corpus fuzz/generator_corpus
fi
exec build-fuzz/fuzz/quillform_read_fuzzer -dict=fuzz/dxf.dict -timeout=10 -rss_limit_mb=2048 \
    -max_len=65536 -artifact_prefix=build-fuzz/findings/ -print_final_stats=1 "$@" \
    build-fuzz/corpus tests/data
