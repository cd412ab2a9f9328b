#!/usr/bin/env bash
# A packager's configure, -DBUILD_TESTING=OFF, on a machine without the test
# and benchmark libraries: it must succeed, and with the benchmarks asked for
# it must still look for Google Benchmark.
# Usage: packager-configure.sh <source-dir> <cmake-command>
set -u
src=$1; cmake=${2:-cmake}
work=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-packager.XXXXXX")
trap 'rm -rf "$work"' EXIT
without=(-DBUILD_TESTING=OFF -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON
         -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON)
if ! "$cmake" -S "$src" -B "$work/plain" -G Ninja "${without[@]}" >"$work/plain.log" 2>&1; then
  cat "$work/plain.log"; echo "FAIL: a build without tests needs a test or benchmark library"; exit 1
fi
if "$cmake" -S "$src" -B "$work/bench" -G Ninja "${without[@]}" -DQUARVEL_BENCH=ON >/dev/null 2>&1; then
  echo "FAIL: QUARVEL_BENCH=ON did not ask for Google Benchmark"; exit 1
fi
echo "ok"
