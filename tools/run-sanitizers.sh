#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs the whole test suite, then again with ThreadSanitizer, as a run reads,
# scans and writes on threads of its own; any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DSTREWGEN_SANITIZE=ON \
  -DSTREWGEN_WERROR=ON
cmake --build build-sanitize -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DSTREWGEN_SANITIZE_THREAD=ON \
  -DSTREWGEN_WERROR=ON
cmake --build build-tsan -j "$jobs"
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
  ctest --test-dir build-tsan --output-on-failure -j "$jobs"
