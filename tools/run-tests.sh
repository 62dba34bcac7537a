#!/usr/bin/env bash
# Builds strewgen and runs every test: the test suite on a Release build,
# the same suite under AddressSanitizer and UndefinedBehaviorSanitizer, each
# fuzz target for a bounded time, and the Windows build under Wine. With
# --quick, only the first.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DSTREWGEN_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
if [ "${1:-}" = "--quick" ]; then
  echo "stages: 1 passed, 0 failed"
  exit 0
fi

bash tools/run-sanitizers.sh
bash tools/run-fuzzers.sh 20
bash tools/run-windows-tests.sh
# Each stage stops the script when it fails, so reaching here means all did.
echo "stages: 4 passed, 0 failed"
