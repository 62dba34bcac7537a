#!/usr/bin/env bash
# Installs the packages the build and the tests need, only those missing.
set -euo pipefail

packages=(cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev libpng-dev
  clang libclang-rt-14-dev)
missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi
