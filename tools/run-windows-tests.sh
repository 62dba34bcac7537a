#!/usr/bin/env bash
# Builds strewgen for 64-bit Windows with MinGW-w64 and tests it under Wine:
# the unit tests, then the Windows and the Linux executables side by side on
# the same inputs, comparing standard output, standard error, exit status
# and items.wsc byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

missing=()
for package in g++-mingw-w64-x86-64-posix wine64 wine; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

jobs=$(nproc 2>/dev/null || echo 2)
if [ ! -x build/strewgen ] || [ ! -x build/make_example_map ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DSTREWGEN_WERROR=ON
  cmake --build build -j "$jobs"
fi
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DSTREWGEN_WERROR=ON
cmake --build build-windows -j "$jobs"

# A fresh Wine prefix with no display, no downloads and no dialogs; the
# server stays up between calls so that each call does not wait for it.
scratch=$(mktemp -d)
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$scratch"
}
trap cleanup EXIT
mkdir -p "$WINEPREFIX"
wineserver -p
timeout 300 wine wineboot -i >/dev/null 2>&1

echo "unit tests under Wine"
timeout 900 wine build-windows/tests/strewgen_tests.exe

echo "the Windows and the Linux executables on the same inputs"
linux="$root/build/strewgen"
windows="$root/build-windows/strewgen.exe"
map="$scratch/world.map"
build/make_example_map "$map"
passed=0
failed=0

# compare NAME SETUP ARGS...: runs both executables in fresh folders laid out
# by the shell function SETUP, with the same arguments.
compare() {
  local name=$1 setup=$2; shift 2
  local side status
  for side in linux windows; do
    rm -rf "$scratch/$side"; mkdir "$scratch/$side"
    (cd "$scratch/$side" && "$setup")
    set +e
    if [ "$side" = linux ]; then
      (cd "$scratch/$side" && "$linux" "$@" >stdout 2>stderr)
    else
      (cd "$scratch/$side" && timeout 300 wine "$windows" "$@" >stdout 2>stderr)
    fi
    status=$?
    set -e
    echo "$status" >"$scratch/$side/status"
  done
  local differ=""
  for file in stdout stderr status items.wsc; do
    local a="$scratch/linux/$file" b="$scratch/windows/$file"
    if [ -d "$a" ] || [ -d "$b" ]; then
      [ -d "$a" ] && [ -d "$b" ] || differ+=" $file"
    elif [ -e "$a" ] || [ -e "$b" ]; then
      cmp -s "$a" "$b" || differ+=" $file"
    fi
  done
  if [ -n "$differ" ]; then
    echo "FAILED $name: differs in$differ"
    for file in stdout stderr status; do
      echo "  linux $file:"; sed 's/^/    /' "$scratch/linux/$file"
      echo "  windows $file:"; sed 's/^/    /' "$scratch/windows/$file"
    done
    failed=$((failed + 1))
  else
    echo "ok $name"
    passed=$((passed + 1))
  fi
}

example_rules() { cp "$root/examples/strewgen.txt" strewgen.txt; }
no_rules() { :; }
rules_folder() { mkdir strewgen.txt; }
odd_rules() { printf '\xef\xbb\xbf196, 50, 0CCD, 1\r\n3,20,700,1\r22,100,0x10,1\n// c\n' >strewgen.txt; }
short_map() { example_rules; head -c 1000 "$map" >short.map; }
output_folder() { example_rules; mkdir items.wsc; }
map_as_output() { example_rules; cp "$map" items.wsc; }
earlier_output() { example_rules; echo "an earlier run" >items.wsc; }

compare "usage" example_rules
compare "four arguments" example_rules "$map" 1 2 3
compare "no rule file" no_rules "$map" 0 0 10 10
compare "rule file is a folder" rules_folder "$map" 0 0 10 10
compare "example area" example_rules "$map" 3328 1280 3583 1535
compare "whole world" example_rules "$map" 0 0 6143 4095
compare "odd rule file" odd_rules "$map" 1000 1000 1400 1300
compare "clamped bounds" example_rules "$map" -5 0x7fffffff 99999 4294967295
compare "argument forms" example_rules "$map" "" 010 0x200 " 300" extra
compare "empty area" earlier_output "$map" 20 0 10 10
compare "missing map" earlier_output missing.map 0 0 10 10
compare "short map" short_map short.map 0 0 10 10
compare "items.wsc is a folder" output_folder "$map" 0 0 10 10
compare "map is items.wsc" map_as_output items.wsc 0 0 10 10
compare "map is ./items.wsc" map_as_output ./items.wsc 0 0 10 10

echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
