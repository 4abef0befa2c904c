#!/usr/bin/env bash
# SPDX-FileCopyrightText: DXF Quillform developers
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-check -DCMAKE_BUILD_TYPE=Debug -DQUILLFORM_SANITIZE=ON \
      -DQUILLFORM_WARNINGS_AS_ERRORS=ON
cmake --build build-check -j2
# allocator_may_return_null: a bitmap too large to create must fail softly, as it does in production
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-check --output-on-failure -j2
