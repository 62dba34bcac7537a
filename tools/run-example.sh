#!/usr/bin/env bash
# Builds strewgen, makes the example world map once, runs strewgen with the
# example rules over an area of it in example/run/, and draws what it placed
# with strewgen-preview.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$jobs" >/dev/null

mkdir -p example/run
if [ ! -f example/world.map ]; then
  echo "making the example world map example/world.map ..."
  build/make_example_map example/world.map.part
  mv example/world.map.part example/world.map
fi
cp examples/strewgen.txt example/run/strewgen.txt

cd example/run
echo "running: strewgen ../world.map 3328 1280 3583 1535"
../../build/strewgen ../world.map 3328 1280 3583 1535
records=$(grep -c '^SECTION WORLDITEM' items.wsc || true)
echo "wrote $(pwd)/items.wsc: $records records"
echo
echo "running: strewgen-preview ../world.map"
../../build/strewgen-preview ../world.map >summary.txt
head -n 12 summary.txt
echo "... (the whole summary: $(pwd)/summary.txt)"
echo "the picture: $(pwd)/preview.png"
