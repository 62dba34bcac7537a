#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (seconds per target, default 20) from the seed corpus in tests/fuzz/corpus.
# A crash fails the run and leaves its input in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSTREWGEN_BUILD_FUZZERS=ON -DSTREWGEN_BUILD_TESTS=OFF -DSTREWGEN_WERROR=ON
cmake --build build-fuzz -j "$jobs"

mkdir -p build-fuzz/artifacts
for target in rule_loader_fuzz:rules coordinate_fuzz:coordinate \
  script_parser_fuzz:script; do
  name=${target%%:*}
  seeds=tests/fuzz/corpus/${target##*:}
  # New inputs go to a scratch corpus, never into the repository's seeds.
  corpus=$(mktemp -d)
  echo "fuzzing $name for ${seconds}s"
  build-fuzz/tests/fuzz/$name "$corpus" "$seeds" -max_total_time="$seconds" \
    -timeout=10 -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/artifacts/ 2>&1 | tail -n 12
  status=${PIPESTATUS[0]}
  rm -rf "$corpus"
  if [ "$status" -ne 0 ]; then
    echo "$name failed (status $status); see build-fuzz/artifacts/"
    exit 1
  fi
done
echo "fuzzing passed"
