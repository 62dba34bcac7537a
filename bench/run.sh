#!/usr/bin/env bash
# Measures strewgen on the example world against the I/O floor, in one go:
#
#   bash bench/run.sh
#
# For a whole-world run and a small-area run it prints cells, records and
# output bytes per second, the peak resident memory, and the ratio of the
# run's wall time to the floor: reading the same map file and writing a file
# of the same size as the "items.wsc" produced. Each time is the best of
# several runs, as this machine is noisy. Then it runs the micro-benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash tools/install-deps.sh
command -v /usr/bin/time >/dev/null 2>&1 || {
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq time
}
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DSTREWGEN_BUILD_TESTS=OFF \
  -DSTREWGEN_BUILD_BENCHMARKS=ON >/dev/null
cmake --build build-bench -j "$jobs" >/dev/null

map="$root/example/world.map"
if [ ! -f "$map" ]; then
  mkdir -p "$root/example"
  build-bench/make_example_map "$map.part"
  mv "$map.part" "$map"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp examples/strewgen.txt "$work/strewgen.txt"
strewgen="$root/build-bench/strewgen"
rounds=5

now() { date +%s%N; }
# Best wall time in nanoseconds of running "$@" $rounds times.
best_of() {
  local best="" start end
  for _ in $(seq "$rounds"); do
    start=$(now); "$@" >/dev/null; end=$(now)
    if [ -z "$best" ] || ((end - start < best)); then best=$((end - start)); fi
  done
  echo "$best"
}
floor() {
  cat "$map" >/dev/null
  cat "$work/items.wsc" >"$work/copy"
  rm -f "$work/copy"
}
run() { (cd "$work" && "$strewgen" "$map" "$@"); }

measure() {
  local name=$1; shift
  local x0=$1 y0=$2 x1=$3 y1=$4
  cat "$map" >/dev/null  # both sides start with the map in the page cache
  local run_ns floor_ns rss cells records bytes
  run_ns=$(best_of run "$@")
  floor_ns=$(best_of floor)
  rss=$(cd "$work" && /usr/bin/time -f %M "$strewgen" "$map" "$@" 2>&1 >/dev/null)
  cells=$(( (x1 - x0 + 1) * (y1 - y0 + 1) ))
  records=$(grep -c '^SECTION WORLDITEM' "$work/items.wsc" || true)
  bytes=$(stat -c %s "$work/items.wsc")
  awk -v name="$name" -v area="$x0 $y0 $x1 $y1" -v cells="$cells" \
      -v records="$records" -v bytes="$bytes" -v run="$run_ns" \
      -v floor="$floor_ns" -v rss="$rss" 'BEGIN {
    s = run / 1e9; f = floor / 1e9
    printf "%s (area %s): %d cells, %d records, %.1f MB\n", name, area, cells, records, bytes / 1e6
    printf "  strewgen   %.3f s: %.1f M cells/s, %.2f M records/s, %.1f MB/s output, peak RSS %.1f MiB\n", s, cells / s / 1e6, records / s / 1e6, bytes / s / 1e6, rss / 1024
    printf "  I/O floor  %.3f s (read the map, write a file of the same size)\n", f
    printf "  ratio      %.2f\n", s / f
  }'
}

echo "machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo), $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
measure "whole world" 0 0 6143 4095
measure "small area" 3328 1280 3583 1535

# The cost of a cell follows the rules that match its tile, not the 100
# slots: the whole world with no rules, with 100 rules for tiles the world
# does not have, and with 100 rules of chance 0 spread over its six tiles.
rules_cost() {
  local name=$1 ns
  ns=$(best_of run 0 0 6143 4095)
  awk -v name="$name" -v ns="$ns" 'BEGIN { printf "  %-40s %.3f s\n", name, ns / 1e9 }'
}
echo "whole world by rule file:"
: >"$work/strewgen.txt"
rules_cost "no rules"
for i in $(seq 0 99); do echo "$((1000 + i)), 50, 7, 1"; done >"$work/strewgen.txt"
rules_cost "100 rules, none matching"
tiles=(2 22 3 196 220 282)
for i in $(seq 0 99); do echo "${tiles[i % 6]}, 0, 7, 1"; done >"$work/strewgen.txt"
rules_cost "100 rules of chance 0 on the six tiles"
cp examples/strewgen.txt "$work/strewgen.txt"
rules_cost "the example rules (6 rules)"
echo
build-bench/bench/strewgen_bench --benchmark_min_time=0.2
